#pragma once

#include <windows.h>

namespace app {

inline constexpr wchar_t main_dialog_title[] = L"Texto traducido desde clipboard";

// Builds the hidden main dialog, hands it to main_dialog_procedure and runs its message loop
// until the dialog is destroyed. Returns the process exit code: 0, or 1 when the dialog could
// not be created.
int run_main_dialog();

}  // namespace app
