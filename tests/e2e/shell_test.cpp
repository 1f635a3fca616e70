#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>

#include "tests/e2e/harness.h"

namespace {

using e2e::Outcome;

TEST(Shell, StartsHiddenWhateverTheCommandLineAndShowCommand) {
  struct Start {
    const wchar_t* arguments;
    WORD show_command;
  };
  const Start starts[] = {
      {L"", SW_SHOWNORMAL},
      {L"/? --help \"diccionario.log\" \x00F1 -x", SW_SHOWMAXIMIZED},
      {L"/min", SW_SHOWMINIMIZED},
  };
  for (const Start& s : starts) {
    SCOPED_TRACE(testing::Message() << "show command " << s.show_command);
    e2e::StartOptions options;
    options.arguments = s.arguments;
    options.show_command = s.show_command;
    e2e::Program program(options);
    // The title other programs find the running program by (the installer among them); the
    // harness finds the dialog through the program's own constant, which this checks.
    EXPECT_EQ(desktop::window_text(program.dialog()), L"Texto traducido desde clipboard");
    EXPECT_FALSE(IsWindowVisible(program.dialog()));
    EXPECT_EQ(GetWindow(program.dialog(), GW_OWNER), nullptr);
    const LONG style = GetWindowLongW(program.dialog(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_TRUE(program.tray_icon_present());
    // Still hidden once everything queued at start-up has been handled.
    ASSERT_TRUE(program.sync());
    Sleep(200);
    ASSERT_TRUE(program.sync());
    EXPECT_FALSE(IsWindowVisible(program.dialog()));
    EXPECT_TRUE(desktop::process_windows(program.process_id(), nullptr).empty());
    EXPECT_EQ(program.quit(), 0);
  }
}

TEST(Shell, DialogHoldsTheEmptyStatusBarAndPanes) {
  e2e::Program program;
  struct Control {
    int id;
    const wchar_t* window_class;
  };
  for (const Control& c :
       {Control{1003, L"msctls_statusbar32"}, Control{1013, L"RichEdit50W"}, Control{1014, L"RichEdit50W"}}) {
    SCOPED_TRACE(c.id);
    HWND child = GetDlgItem(program.dialog(), c.id);
    ASSERT_NE(child, nullptr);
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    EXPECT_STREQ(name, c.window_class);
    EXPECT_EQ(desktop::window_text(child), L"");
  }
  HWND left = GetDlgItem(program.dialog(), 1013);
  // The rich edit control drops the scroll bar and return bits it does not need; these stay.
  const DWORD kept = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(left, GWL_STYLE)) & kept, kept);
  EXPECT_EQ(GetWindowLongW(left, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
  RECT left_rect{}, right_rect{};
  GetWindowRect(left, &left_rect);
  GetWindowRect(GetDlgItem(program.dialog(), 1014), &right_rect);
  EXPECT_EQ(left_rect.right - left_rect.left, right_rect.right - right_rect.left);
  EXPECT_EQ(left_rect.right, right_rect.left);
  EXPECT_EQ(program.quit(), 0);
}

TEST(Shell, ButtonReleaseOnTheIconOpensTheMenuAndNothingElseDoes) {
  e2e::Program program;
  const UINT nothing[] = {WM_LBUTTONDOWN,
                          WM_RBUTTONDOWN,
                          WM_MOUSEMOVE,
                          WM_LBUTTONDBLCLK,
                          WM_CONTEXTMENU,
                          0x400 /* NIN_SELECT */,
                          0x401 /* NIN_KEYSELECT */,
                          0x402,
                          0x403,
                          0x404 /* balloon shown, hidden, timed out */,
                          0x405 /* balloon clicked: beeps only */};
  for (UINT event : nothing) {
    SCOPED_TRACE(event);
    EXPECT_EQ(program.tray_event(event), Outcome::finished);
    EXPECT_EQ(program.menu_window(), nullptr);
  }
  // Each release opens the menu, and again after the previous menu closed.
  for (UINT event : {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONUP}) {
    SCOPED_TRACE(event);
    ASSERT_EQ(program.tray_event(event), Outcome::menu_open);
    EXPECT_TRUE(program.close_menu());
    EXPECT_TRUE(program.sync());
    EXPECT_TRUE(program.no_report(0));
  }
  EXPECT_FALSE(IsWindowVisible(program.dialog()));
  EXPECT_EQ(program.quit(), 0);
}

TEST(Shell, QuitChosenFromTheMenuEndsTheProgram) {
  e2e::Program program;
  ASSERT_EQ(program.tray_event(WM_RBUTTONUP), Outcome::menu_open);
  ASSERT_TRUE(program.choose_command(app::CommandId::quit));
  ASSERT_TRUE(program.wait_for_exit());
  EXPECT_EQ(program.exit_code(), 0u);
}

TEST(Shell, CloseAndMinimiseKeepTheDialogHiddenAndTheProgramRunning) {
  e2e::Program program;
  // Alt+F4 once the menu has given the dialog the focus: SC_CLOSE, then WM_CLOSE.
  ASSERT_EQ(program.tray_event(WM_RBUTTONUP), Outcome::menu_open);
  EXPECT_TRUE(program.close_menu());
  for (const auto& [message, wparam] : {std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE},
                                        {WM_CLOSE, 0},
                                        {WM_SYSCOMMAND, SC_MINIMIZE},
                                        {WM_SYSCOMMAND, SC_CLOSE}}) {
    // clang-format off
    SCOPED_TRACE(testing::Message() << message << " " << wparam);
    // clang-format on
    EXPECT_EQ(program.send(message, wparam, 0), Outcome::finished);
    EXPECT_FALSE(IsWindowVisible(program.dialog()));
    EXPECT_FALSE(IsIconic(program.dialog()));
    EXPECT_TRUE(program.running());
  }
  EXPECT_TRUE(desktop::process_windows(program.process_id(), nullptr).empty());
  EXPECT_EQ(program.quit(), 0);
}

TEST(Shell, TaskbarCreatedBringsTheIconBack) {
  e2e::Program program;
  ASSERT_TRUE(program.tray_icon_present());
  // What a restarting shell does: it forgets every icon, then announces the new taskbar.
  NOTIFYICONDATAW key{};
  key.cbSize = sizeof(key);
  key.hWnd = program.dialog();
  key.uID = program.icon_id();
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &key));
  ASSERT_FALSE(program.tray_icon_present());

  const UINT taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
  EXPECT_EQ(program.send(taskbar_created, 0, 0), Outcome::finished);
  EXPECT_TRUE(program.tray_icon_present());
  // The icon that came back still works.
  ASSERT_EQ(program.tray_event(WM_LBUTTONUP), Outcome::menu_open);
  EXPECT_TRUE(program.close_menu());
  EXPECT_EQ(program.quit(), 0);
}

// (Wine drops a destroyed window's icons by itself; the removal is also proven by a unit test.)
TEST(Shell, QuitLeavesNoIconAndEndsWithCodeZero) {
  e2e::Program program;
  const HWND dialog = program.dialog();
  const UINT icon_id = program.icon_id();
  EXPECT_EQ(program.quit(), 0);
  NOTIFYICONDATAW key{};
  key.cbSize = sizeof(key);
  key.hWnd = dialog;
  key.uID = icon_id;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &key)) << "a dead icon stayed in the tray";
}

TEST(Shell, UnknownCommandsDoNothing) {
  e2e::Program program;
  for (int id : {0, IDOK, IDCANCEL, 203, 207, 215, 1013, 0xFFFF}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(program.send(WM_COMMAND, static_cast<WPARAM>(id), 0), Outcome::finished);
    EXPECT_TRUE(program.no_report(0));
    EXPECT_TRUE(program.running());
  }
  EXPECT_FALSE(IsWindowVisible(program.dialog()));
  EXPECT_EQ(program.quit(), 0);
}

TEST(Shell, TwoCopiesRunSideBySideEachWithItsIcon) {
  e2e::Program first;
  e2e::Program second;
  EXPECT_NE(first.dialog(), second.dialog());
  EXPECT_TRUE(first.tray_icon_present());
  EXPECT_TRUE(second.tray_icon_present());
  EXPECT_EQ(first.quit(), 0);
  EXPECT_TRUE(second.tray_icon_present());
  EXPECT_EQ(second.quit(), 0);
}

TEST(Shell, StartsFromAFolderTheCodePageCannotSpell) {
  // Greek and Japanese. (Wine cannot start a program whose path passes MAX_PATH; the long
  // path itself is covered by the unit tests of file_paths.)
  e2e::StartOptions options;
  options.dictionary = std::string();
  options.folder_name = L"\x03A9\x03BC\x03AD\x03B3\x03B1 \x65E5\x672C\\carpeta";
  e2e::Program program(options);
  EXPECT_TRUE(program.tray_icon_present());
  EXPECT_EQ(program.quit(), 0);
}

TEST(Harness, ClipboardRoundTripsTextAndFormats) {
  const std::wstring text = L"a\x00F1o \x20AC \U0001F600\r\nfin";
  ASSERT_TRUE(desktop::set_clipboard_text(text, {{desktop::html_format(), "<b>x</b>"}}));
  EXPECT_EQ(desktop::clipboard_text(), text);
  const auto formats = desktop::clipboard_formats();
  EXPECT_NE(std::find(formats.begin(), formats.end(), desktop::html_format()), formats.end());
  ASSERT_TRUE(desktop::set_clipboard_bitmap());
  EXPECT_EQ(desktop::clipboard_text(), std::nullopt);
  ASSERT_TRUE(desktop::set_clipboard({}));
  EXPECT_TRUE(desktop::clipboard_formats().empty());
  {
    desktop::ClipboardHolder hold(300);
    ASSERT_TRUE(hold.opened());
  }
  EXPECT_TRUE(desktop::set_clipboard_text(L"x"));
}

}  // namespace
