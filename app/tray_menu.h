#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace app {

// The pop-up menu of the tray icon, built from the command table (commands.h).
win32::UniqueMenu build_tray_menu();

// Opens `menu` at the cursor on behalf of `dialog`; a chosen entry arrives later as WM_COMMAND.
void open_tray_menu(HWND dialog, HMENU menu);

}  // namespace app
