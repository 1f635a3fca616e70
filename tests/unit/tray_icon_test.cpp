#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/tray_icon.h"

namespace {

bool shell_knows(HWND window, UINT id) {
  NOTIFYICONDATAA key{};
  key.cbSize = sizeof(key);
  key.hWnd = window;
  key.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &key) != FALSE;
}

TEST(TrayIcon, RecordHoldsTheProgramsValues) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
  const NOTIFYICONDATAA icon = app::make_tray_icon(window, instance);
  EXPECT_EQ(icon.cbSize, 508u);
  EXPECT_EQ(icon.hWnd, window);
  EXPECT_EQ(icon.uID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(instance)));
  EXPECT_EQ(icon.uFlags, 0x17u);
  EXPECT_EQ(icon.uCallbackMessage, 0x5F5u);
  EXPECT_EQ(std::string(icon.szTip), "\xAE Herramientas texto ...");
  EXPECT_EQ(std::string(icon.szInfoTitle), "\xAE Herramientas texto ...");
  EXPECT_EQ(std::string(icon.szInfo), "BienVenido ...");
  EXPECT_EQ(icon.uTimeout, 10000u);
  EXPECT_EQ(icon.dwInfoFlags, 0u);
  EXPECT_EQ(icon.dwState, 0u);
}

// Wine drops the icons of a destroyed window by itself, so the removal on quitting is proven
// here, with the window still alive.
TEST(TrayIcon, AddedThenRemovedWhileItsWindowLives) {
  HWND window = CreateWindowExW(0, L"STATIC", L"tray test", 0, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  NOTIFYICONDATAA icon = app::make_tray_icon(window, GetModuleHandleW(nullptr));
  icon.uFlags &= ~static_cast<UINT>(NIF_INFO);
  ASSERT_TRUE(app::add_tray_icon(icon));
  EXPECT_EQ(icon.uTimeout, 10000u);
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
