#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts of the count reports, in code page 1252. The tray only shows them.

namespace text {

// Plain decimal digits: no sign for counts, no padding, no thousands separator; "0" for zero.
std::string format_count(std::int64_t n);

// "Este trozo de texto tiene " + format_count(n) + unit.
std::string count_report(std::int64_t n, std::string_view unit);

inline constexpr std::string_view unit_characters = " caracteres";
inline constexpr std::string_view unit_word_fragments = " trozos de palabra(s) \xF3 palabra(s)";
inline constexpr std::string_view unit_consonants = " consonantes";
inline constexpr std::string_view unit_vowels = " vocales";

}  // namespace text
