#pragma once

#include <windows.h>

namespace app {

inline constexpr wchar_t main_dialog_title[] = L"Texto traducido desde clipboard";

// Builds the hidden main dialog, hands it to main_dialog_procedure and runs its message loop
// until the dialog is destroyed. Returns the process exit code, 0.
int run_main_dialog(HWND parent);

}  // namespace app
