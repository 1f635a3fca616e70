#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/tray_menu.h"

namespace {

TEST(TrayMenu, HoldsTheNineteenEntriesInOrder) {
  struct expected_entry {
    UINT id;
    const wchar_t* caption;  // null for a separator
  };
  const expected_entry expected[] = {
      {205, L"Transformar a Mayusculas"},
      {0, nullptr},
      {208, L"Transformar a Mixta"},
      {0, nullptr},
      {206, L"Transformar a Minusculas"},
      {0, nullptr},
      {209, L"Contar total de caracteres"},
      {0, nullptr},
      {210, L"Contar total de palabras \x00F3 trozos"},
      {0, nullptr},
      {211, L"Contar total de consonantes"},
      {0, nullptr},
      {212, L"Contar total de vocales"},
      {0, nullptr},
      {213, L"Repetici\x00F3n de palabras"},
      {0, nullptr},
      {214, L"Poner tilde"},
      {0, nullptr},
      {204, L"&Quitar"},
  };
  const app::unique_menu menu = app::build_tray_menu();
  ASSERT_TRUE(menu);
  ASSERT_EQ(GetMenuItemCount(menu.get()), 19);
  for (UINT position = 0; position < 19; ++position) {
    SCOPED_TRACE(position + 1);
    wchar_t caption[128] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = caption;
    item.cch = 128;
    ASSERT_TRUE(GetMenuItemInfoW(menu.get(), position, TRUE, &item));
    const expected_entry& e = expected[position];
    EXPECT_EQ(item.wID, e.id);
    EXPECT_EQ(item.hSubMenu, nullptr);
    EXPECT_EQ(item.fState & (MFS_CHECKED | MFS_DISABLED | MFS_DEFAULT), 0u);
    if (e.caption) {
      EXPECT_EQ(item.fType, static_cast<UINT>(MFT_STRING));
      EXPECT_EQ(std::wstring(caption), e.caption);
    } else {
      EXPECT_EQ(item.fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    }
  }
}

}  // namespace
