#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

inline constexpr char report_title[] = "Programador";

// A message box with no owner titled "Programador"; `text` is code page 1252. The answer is not
// used. Blocks until the box is closed (the box runs its own message loop meanwhile).
void show_report(std::string_view text, UINT style);

// Plain decimal digits, "-" before a negative number; no spaces, no separators.
std::string format_count(std::int64_t number);

// "Este trozo de texto tiene " + format_count(number) + unit, the text of the count reports.
std::string count_report(std::int64_t number, std::string_view unit);

}  // namespace app
