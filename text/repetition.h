#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/tokens.h"

// The repetition report: the content words that occur clearly often in a text.

namespace text {

// 0.0041 in single precision, slightly above the decimal value, so at T = 10,000 tokens a word
// needs 42 occurrences, not 41.
inline constexpr float repetition_ratio = std::bit_cast<float>(std::uint32_t{0x3B86594B});

// One entry per qualifying occurrence, in text order, each a view of at most 255 bytes into
// the split text.
using RepeatedWords = std::vector<std::string_view>;

// Every occurrence of a content word (function words, separator and space tokens never count)
// whose number of occurrences n among all T tokens reaches repetition_ratio * T. Words are
// compared on their first 256 bytes, exactly and case-sensitively.
RepeatedWords find_repeated_words(const TokenList& tokens);

inline constexpr std::string_view no_repetition_report = "No Repite palabras claramente ...";

// "Este trozo de texto tiene " N " palabra(s) más repetidas" CR LF and the words joined by
// commas, or no_repetition_report when the list is empty.
std::string repeated_words_report(const RepeatedWords& repeated);

std::string word_repetition_report(const TokenList& tokens);

}  // namespace text
