#pragma once

#include <windows.h>

namespace app {

// The dialog procedure of the hidden main dialog: the program's whole user interface.
INT_PTR CALLBACK main_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace app
