#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/commands.h"
#include "app/tray_menu.h"

namespace {

// The menu the user sees: every command row an enabled string item with its id and caption, a
// separator between every two commands, nothing checked, no submenu.
TEST(TrayMenu, ShowsTheCommandRowsInOrderWithSeparatorsBetween) {
  const app::UniqueMenu menu = app::build_tray_menu();
  ASSERT_TRUE(menu);
  const auto rows = app::tray_menu_rows();
  ASSERT_EQ(GetMenuItemCount(menu.get()), static_cast<int>(rows.size()));
  bool command_expected = true;
  for (UINT position = 0; position < rows.size(); ++position) {
    SCOPED_TRACE(position + 1);
    wchar_t caption[128] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = caption;
    item.cch = 128;
    ASSERT_TRUE(GetMenuItemInfoW(menu.get(), position, TRUE, &item));
    EXPECT_EQ(item.hSubMenu, nullptr);
    EXPECT_EQ(item.fState & (MFS_CHECKED | MFS_DISABLED | MFS_DEFAULT), 0u);
    const app::MenuRow& row = rows[position];
    EXPECT_EQ(row.run != nullptr, command_expected);
    command_expected = !command_expected;
    if (row.run) {
      EXPECT_EQ(item.fType, static_cast<UINT>(MFT_STRING));
      EXPECT_EQ(item.wID, static_cast<UINT>(row.id));
      // Captions are code page 1252: "ó" arrives as U+00F3 whatever the system's code page.
      std::wstring expected;
      for (const char* c = row.caption; *c; ++c) expected += static_cast<wchar_t>(static_cast<unsigned char>(*c));
      EXPECT_EQ(std::wstring(caption), expected);
    } else {
      EXPECT_EQ(item.fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    }
  }
  EXPECT_FALSE(command_expected) << "the menu ends with a command";
}

}  // namespace
