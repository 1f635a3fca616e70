#include "app/tray_menu.h"

#include <string>
#include <string_view>

#include "app/ansi_code_page.h"

namespace app {

unique_menu build_tray_menu() {
  unique_menu menu(CreatePopupMenu());
  if (!menu) return menu;
  UINT position = 0;
  for (const tray_menu_entry& entry : tray_menu_entries) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
    item.fState = MFS_ENABLED;
    std::wstring caption;
    if (std::string_view(entry.caption) == "-") {
      item.fType = MFT_SEPARATOR;
      item.wID = 0;
      item.fMask &= ~static_cast<UINT>(MIIM_STRING);
    } else {
      caption = ansi_to_wide(entry.caption);
      item.fType = MFT_STRING;
      item.wID = static_cast<UINT>(entry.id);
      item.dwTypeData = caption.data();
    }
    InsertMenuItemW(menu.get(), position++, TRUE, &item);
  }
  return menu;
}

void open_tray_menu(HWND dialog, HMENU menu) {
  POINT cursor{};
  GetCursorPos(&cursor);
  // Without the foreground, the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(dialog);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0,
                 dialog, nullptr);
  static_assert((TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN) == 0x2A);
  // Lets the next click on the icon open the menu again (the menu needs a message after it).
  PostMessageW(dialog, WM_NULL, 0, 0);
}

}  // namespace app
