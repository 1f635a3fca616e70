#include "app/report.h"

#include <charconv>

#include "app/ansi_text.h"

namespace app {

void show_report(std::string_view text, UINT style) {
  const std::wstring message = ansi_to_wide(text);
  const std::wstring title = ansi_to_wide(report_title);
  MessageBoxW(nullptr, message.c_str(), title.c_str(), style);
}

std::string format_count(std::int64_t number) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof(digits), number);
  return std::string(digits, result.ptr);
}

std::string count_report(std::int64_t number, std::string_view unit) {
  std::string text = "Este trozo de texto tiene ";
  text += format_count(number);
  text += unit;
  return text;
}

}  // namespace app
