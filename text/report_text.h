#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts of the reports, in code page 1252: what the tray's boxes show and the command line
// prints.

namespace text {

// Plain decimal digits: no sign for counts, no padding, no thousands separator; "0" for zero.
std::string format_count(std::int64_t n);

// "Este trozo de texto tiene " + format_count(n) + unit.
std::string count_report(std::int64_t n, std::string_view unit);

// The report of each count command on `text` ("Este trozo de texto tiene 12 vocales").
std::string characters_report(std::string_view text);
std::string word_fragments_report(std::string_view text);
std::string consonants_report(std::string_view text);
std::string vowels_report(std::string_view text);

}  // namespace text
