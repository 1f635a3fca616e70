#include "text/report_text.h"

#include <charconv>

#include "text/counts.h"

namespace text {

std::string format_count(std::int64_t n) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, n);
  return std::string(digits, result.ptr);
}

std::string count_report(std::int64_t n, std::string_view unit) {
  std::string report = "Este trozo de texto tiene ";
  report += format_count(n);
  report += unit;
  return report;
}

std::string characters_report(std::string_view text) { return count_report(count_characters(text), " caracteres"); }

std::string word_fragments_report(std::string_view text) {
  return count_report(count_word_fragments(text), " trozos de palabra(s) \xF3 palabra(s)");
}

std::string consonants_report(std::string_view text) { return count_report(count_consonants(text), " consonantes"); }

std::string vowels_report(std::string_view text) { return count_report(count_vowels(text), " vocales"); }

}  // namespace text
