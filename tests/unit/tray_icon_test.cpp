#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "app/tray_icon.h"

namespace {

bool shell_knows(HWND window, UINT id) {
  NOTIFYICONDATAA key{};
  key.cbSize = sizeof(key);
  key.hWnd = window;
  key.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &key) != FALSE;
}

// Wine drops the icons of a destroyed window by itself, so the removal on quitting is proven
// here, with the window still alive.
TEST(TrayIcon, AddedThenRemovedWhileItsWindowLives) {
  HWND window =
      CreateWindowExW(0, L"STATIC", L"tray test", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  NOTIFYICONDATAA icon = app::make_tray_icon(window, GetModuleHandleW(nullptr));
  icon.uFlags &= ~static_cast<UINT>(NIF_INFO);
  ASSERT_TRUE(app::add_tray_icon(icon));
  // The version call borrows the balloon timeout's field; the record keeps its timeout.
  EXPECT_EQ(icon.uTimeout, app::make_tray_icon(window, GetModuleHandleW(nullptr)).uTimeout);
  EXPECT_TRUE(shell_knows(window, icon.uID));
  // After the shell restarted (the icon forgotten) it comes back.
  app::remove_tray_icon(icon);
  EXPECT_FALSE(shell_knows(window, icon.uID));
  EXPECT_TRUE(app::readd_tray_icon(icon));
  EXPECT_TRUE(shell_knows(window, icon.uID));
  app::remove_tray_icon(icon);
  EXPECT_FALSE(shell_knows(window, icon.uID));
  DestroyWindow(window);
}

}  // namespace
