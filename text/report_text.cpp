#include "text/report_text.h"

#include <charconv>

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

}  // namespace text
