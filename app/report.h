#pragma once

#include <windows.h>

#include <string_view>

namespace app {

inline constexpr char report_title[] = "Programador";

// A message box with no owner titled "Programador"; `text` is code page 1252. Blocks until the
// box is closed (the box runs its own message loop meanwhile).
void show_report(std::string_view text, UINT style);

}  // namespace app
