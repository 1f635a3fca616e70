#pragma once

#include <windows.h>

#include <string_view>

#include "text/report_text.h"

namespace app {

inline constexpr char report_title[] = "Programador";

// A message box with no owner titled "Programador"; `text` is code page 1252. The answer is not
// used. Blocks until the box is closed (the box runs its own message loop meanwhile).
void show_report(std::string_view text, UINT style);

// The report texts themselves are portable: format_count and count_report of text/report_text.h.
using text::count_report;
using text::format_count;

}  // namespace app
