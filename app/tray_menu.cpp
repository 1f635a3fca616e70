#include "app/tray_menu.h"

#include <string>

#include "app/commands.h"
#include "win32/wide_text.h"

namespace app {

win32::UniqueMenu build_tray_menu() {
  win32::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  UINT position = 0;
  for (const MenuRow& row : tray_menu_rows()) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
    item.fState = MFS_ENABLED;
    std::wstring caption;
    if (!row.caption) {
      item.fType = MFT_SEPARATOR;
    } else {
      caption = win32::to_wide(row.caption);
      item.fMask |= MIIM_STRING;
      item.fType = MFT_STRING;
      item.wID = static_cast<UINT>(row.id);
      item.dwTypeData = caption.data();
    }
    if (!InsertMenuItemW(menu.get(), position++, TRUE, &item)) return win32::UniqueMenu();
  }
  return menu;
}

void open_tray_menu(HWND dialog, HMENU menu) {
  POINT cursor{};
  GetCursorPos(&cursor);
  // Without the foreground, the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(dialog);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, dialog, nullptr);
  // Lets the next click on the icon open the menu again (the menu needs a message after it).
  PostMessageW(dialog, WM_NULL, 0, 0);
}

}  // namespace app
