#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/tray_icon.h"

namespace {

bool shell_knows(HWND window, UINT id) {
  NOTIFYICONDATAA key{};
  key.cbSize = sizeof(key);
  key.hWnd = window;
  key.uID = id;
  return Shell_NotifyIconA(NIM_MODIFY, &key) != FALSE;
}

class Window {
 public:
  Window()
      : window_(CreateWindowExW(0, L"STATIC", L"tray test", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr)) {}
  ~Window() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// Wine drops the icons of a destroyed window by itself, so the removal on quitting is proven
// here, with the window still alive.
TEST(TrayIcon, AddedThenRemovedWhileItsWindowLives) {
  const Window window;
  ASSERT_NE(window.get(), nullptr);
  app::TrayIcon icon;
  icon.start(window.get(), GetModuleHandleW(nullptr));
  ASSERT_TRUE(icon.shown());
  EXPECT_EQ(icon.retry_delay_ms(), 0u);
  // The version call borrows the balloon timeout's field; the record keeps its timeout.
  EXPECT_EQ(icon.record().uTimeout, app::make_tray_icon(window.get(), GetModuleHandleW(nullptr)).uTimeout);
  EXPECT_TRUE(shell_knows(window.get(), icon.record().uID));
  // After the shell restarted (the icon forgotten) it comes back.
  app::remove_tray_icon(icon.record());
  EXPECT_FALSE(shell_knows(window.get(), icon.record().uID));
  icon.add_again();
  EXPECT_TRUE(shell_knows(window.get(), icon.record().uID));
  icon.remove();
  EXPECT_FALSE(shell_knows(window.get(), icon.record().uID));
}

// A shell that refuses the first `refusals` adds, and remembers every add it was asked for.
struct BusyShell {
  static inline int refusals = 0;
  struct Add {
    bool with_balloon;
    bool taken;
  };
  static inline std::vector<Add> adds;
  static inline int version_calls = 0;

  static BOOL WINAPI notify(DWORD message, PNOTIFYICONDATAA icon) {
    if (message == NIM_SETVERSION) ++version_calls;
    if (message != NIM_ADD) return TRUE;
    const bool taken = refusals-- <= 0;
    adds.push_back({(icon->uFlags & NIF_INFO) != 0, taken});
    return taken;
  }
  static void reset(int refused) {
    refusals = refused;
    adds.clear();
    version_calls = 0;
  }
};

// The delays of the retries, each run as the dialog runs it on the timer, until the icon is
// shown or `at_most` retries have run.
std::vector<UINT> retry_delays(app::TrayIcon& icon, std::size_t at_most) {
  std::vector<UINT> delays;
  while (!icon.shown() && delays.size() < at_most) {
    delays.push_back(icon.retry_delay_ms());
    icon.retry();
  }
  return delays;
}

TEST(TrayIcon, RefusedAddsAreRetriedWithGrowingDelaysAndTheBalloonComesWithTheFirstThatWorks) {
  const Window window;
  BusyShell::reset(3);
  app::TrayIcon icon(BusyShell::notify);
  icon.start(window.get(), GetModuleHandleW(nullptr));
  EXPECT_EQ(retry_delays(icon, 10), (std::vector<UINT>{1000, 2000, 4000}));
  EXPECT_TRUE(icon.shown());
  EXPECT_EQ(icon.retry_delay_ms(), 0u);
  ASSERT_EQ(BusyShell::adds.size(), 4u);
  for (const auto& add : BusyShell::adds) EXPECT_TRUE(add.with_balloon);
  EXPECT_TRUE(BusyShell::adds.back().taken);
  // The version is set on the icon the shell took, not on the refused ones.
  EXPECT_EQ(BusyShell::version_calls, 1);

  // A re-created taskbar that is busy too: quiet adds, retried from the first delay again.
  BusyShell::reset(1);
  icon.add_again();
  EXPECT_FALSE(icon.shown());
  EXPECT_EQ(icon.retry_delay_ms(), 1000u);
  icon.retry();
  EXPECT_TRUE(icon.shown());
  ASSERT_EQ(BusyShell::adds.size(), 2u);
  EXPECT_FALSE(BusyShell::adds[0].with_balloon);
  EXPECT_FALSE(BusyShell::adds[1].with_balloon);

  // Once the icon is there, a late timer adds nothing.
  icon.retry();
  EXPECT_EQ(BusyShell::adds.size(), 2u);
  icon.remove();
}

TEST(TrayIcon, RetriesNeverStopAndWaitAtMostHalfAMinute) {
  const Window window;
  BusyShell::reset(1000);
  app::TrayIcon icon(BusyShell::notify);
  icon.start(window.get(), GetModuleHandleW(nullptr));
  EXPECT_EQ(retry_delays(icon, 8), (std::vector<UINT>{1000, 2000, 4000, 8000, 16000, 30000, 30000, 30000}));
  // A taskbar created before the first add worked: the welcome balloon is still owed.
  BusyShell::reset(0);
  icon.add_again();
  ASSERT_EQ(BusyShell::adds.size(), 1u);
  EXPECT_TRUE(BusyShell::adds[0].with_balloon);
  EXPECT_TRUE(icon.shown());
  icon.remove();
  EXPECT_EQ(icon.retry_delay_ms(), 0u);
}

// The retry really comes as the dialog's timer message.
TEST(TrayIcon, ARefusedAddSetsTheRetryTimerOnTheDialog) {
  const Window window;
  BusyShell::reset(1);
  app::TrayIcon icon(BusyShell::notify);
  icon.start(window.get(), GetModuleHandleW(nullptr));
  ASSERT_EQ(icon.retry_delay_ms(), 1000u);
  MSG message{};
  bool timer = false;
  const DWORD deadline = GetTickCount() + 5000;
  while (!timer && GetTickCount() < deadline) {
    if (PeekMessageW(&message, window.get(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
      timer = message.wParam == app::tray_retry_timer;
    } else {
      Sleep(10);
    }
  }
  ASSERT_TRUE(timer);
  icon.retry();
  EXPECT_TRUE(icon.shown());
  icon.remove();
}

}  // namespace
