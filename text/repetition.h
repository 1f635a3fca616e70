#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The repetition report: the content words that occur clearly often in a text.

namespace text {

// 0.0041 in single precision, slightly above the decimal value, so at T = 10,000 tokens a word
// needs 42 occurrences, not 41.
inline constexpr float repetition_ratio = std::bit_cast<float>(std::uint32_t{0x3B86594B});

// The box lists this many occurrences at most, then ",...".
inline constexpr std::size_t max_listed_repetitions = 1000;

inline constexpr std::string_view no_repetition_report = "No Repite palabras claramente ...";

// Every occurrence of a content word (function_words.h) that occurs at least twice and at least
// repetition_ratio * T times, T being the number of tokens of the text (tokens.h). Words are
// compared regardless of capitals ("Casa" and "casa" are one word), on their first 256 bytes.
//
// The report is "Este trozo de texto tiene " N " palabra(s) más repetidas" CR LF and the
// occurrences as written, in text order, joined by commas, each cut to 255 bytes; past the
// first max_listed_repetitions occurrences ",..." ends the list (N still counts them all).
// Without any: no_repetition_report.
std::string word_repetition_report(std::string_view text);

}  // namespace text
