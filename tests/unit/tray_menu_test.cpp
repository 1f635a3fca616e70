#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/tray_menu.h"

namespace {

// The menu as the user sees it and other programs address it: the one place where the ids and
// captions are written out, so that a slip in the command table fails here. Every other test
// names the ids through app::CommandId.
TEST(TrayMenu, TheUserSeesTheseEntriesWithTheseIds) {
  const struct {
    UINT id;  // 0: a separator
    std::wstring caption;
  } expected[] = {
      {205, L"Transformar a Mayusculas"},
      {0, L""},
      {208, L"Transformar a Mixta"},
      {0, L""},
      {206, L"Transformar a Minusculas"},
      {0, L""},
      {209, L"Contar total de caracteres"},
      {0, L""},
      {210, L"Contar total de palabras \u00F3 trozos"},
      {0, L""},
      {211, L"Contar total de consonantes"},
      {0, L""},
      {212, L"Contar total de vocales"},
      {0, L""},
      {213, L"Repetici\u00F3n de palabras"},
      {0, L""},
      {214, L"Poner tilde"},
      {0, L""},
      {204, L"&Quitar"},
  };
  const win32::UniqueMenu menu = app::build_tray_menu();
  ASSERT_TRUE(menu);
  ASSERT_EQ(GetMenuItemCount(menu.get()), static_cast<int>(std::size(expected)));
  for (UINT position = 0; position < std::size(expected); ++position) {
    SCOPED_TRACE(position + 1);
    wchar_t caption[128] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = caption;
    item.cch = 128;
    ASSERT_TRUE(GetMenuItemInfoW(menu.get(), position, TRUE, &item));
    // Nothing checked, greyed or default, and no submenu.
    EXPECT_EQ(item.hSubMenu, nullptr);
    EXPECT_EQ(item.fState & (MFS_CHECKED | MFS_DISABLED | MFS_DEFAULT), 0u);
    if (expected[position].id == 0) {
      EXPECT_EQ(item.fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
      EXPECT_EQ(item.wID, 0u);
    } else {
      // Captions come from code page 1252: "ó" arrives as U+00F3 whatever the system's code page.
      EXPECT_EQ(item.fType, static_cast<UINT>(MFT_STRING));
      EXPECT_EQ(item.wID, expected[position].id);
      EXPECT_EQ(std::wstring(caption), expected[position].caption);
    }
  }
}

}  // namespace
