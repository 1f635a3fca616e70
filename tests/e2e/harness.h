#pragma once

// End-to-end harness: drives the real Tildario.exe under Wine (or Windows) through real windows,
// messages and the clipboard. Every end-to-end test is written against this file.
//
//   e2e::program p({.dictionary = bytes, .arguments = L"x", .show_command = SW_SHOWMAXIMIZED});
//       Copies Tildario.exe (and diccionario.log, when given) into a fresh scratch folder,
//       starts it there and waits for its hidden dialog. Throws std::runtime_error on failure.
//       The destructor kills a program still running (a failed test), removes its tray icon and
//       deletes the scratch folder.
//   p.dialog(), p.process_id(), p.folder(), p.icon_id(), p.running()
//   p.command(id)      WM_COMMAND id, as a menu choice delivers it; returns once the command
//                      finished (outcome::finished) or opened a report box (outcome::box_open).
//   p.tray_event(ev)   the tray message 0x5F5 with lParam ev (WM_LBUTTONUP, ...); returns
//                      outcome::menu_open when it opened the pop-up menu.
//   p.send(msg, w, l)  the same for any message. These send from a helper thread, so they are a
//                      true barrier: no sleeps needed. p.sync() is SendMessageTimeout(WM_NULL).
//   p.menu_window()    the program's visible #32768 menu window, or null.
//   p.close_menu()     Escape to the open menu; waits until it is gone.
//   p.choose_menu_entry(n)  moves down n times from the top entry (n = 0: the first) and
//                      presses Enter. Menu entries cannot be read from another process under Wine.
//   p.find_report()    waits for the program's box titled "Programador"; .text, .style,
//                      .ex_style (MB_SYSTEMMODAL shows as WS_EX_TOPMOST), .dismiss().
//   p.no_report(ms)    true when no such box is open after ms.
//   p.tray_icon_present()  whether the shell knows the program's icon (NIM_MODIFY succeeds).
//   p.quit()           command 204 "&Quitar"; returns the exit code (-1 if it did not end).
//
//   Clipboard (the test process owns a hidden window for it and retries OpenClipboard):
//   set_clipboard_text(L"...", {{html_format(), "<b>x</b>"}})  text plus extra formats
//   set_clipboard({...})   exactly these formats; {} empties the clipboard
//   set_clipboard_bitmap() a picture only
//   clipboard_text()       the CF_UNICODETEXT text, or nullopt
//   clipboard_formats()    every format on the clipboard
//   clipboard_holder hold(ms)  keeps the clipboard open from another thread for ms
//
//   Tildario.exe is found at TILDARIO_EXE (set by CMake) or the environment variable TILDARIO_EXE.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace e2e {

inline constexpr wchar_t dialog_title[] = L"Texto traducido desde clipboard";
inline constexpr wchar_t report_title[] = L"Programador";
inline constexpr UINT tray_message = 0x5F5;
inline constexpr DWORD default_timeout_ms = 10000;

// The built program, as a path this process can open.
std::wstring tildario_exe();

struct start_options {
  std::optional<std::string> dictionary;  // bytes of diccionario.log beside the copy
  std::wstring arguments;                 // appended to the command line
  WORD show_command = SW_SHOWNORMAL;
  std::wstring folder_name;  // the scratch folder's own name (may hold backslashes), else unique
};

struct message_box {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  LONG style = 0;
  LONG ex_style = 0;

  explicit operator bool() const { return window != nullptr; }
  // Presses `button` and waits until the box is gone.
  bool dismiss(int button = IDOK, DWORD timeout_ms = default_timeout_ms) const;
};

enum class outcome { finished, box_open, menu_open, timed_out };
const char* to_string(outcome o);

// Visible top-level windows of `process_id` whose class is `class_name` (any if null).
std::vector<HWND> process_windows(DWORD process_id, const wchar_t* class_name);

// The visible box of `process_id` titled `title`, waiting up to timeout_ms.
message_box find_message_box(DWORD process_id, std::wstring_view title, DWORD timeout_ms);

// A window's text through WM_GETTEXT (works across processes).
std::wstring window_text(HWND window);

class program {
 public:
  explicit program(const start_options& options = {});
  ~program();
  program(const program&) = delete;
  program& operator=(const program&) = delete;

  HWND dialog() const { return dialog_; }
  DWORD process_id() const { return process_id_; }
  HANDLE process() const { return process_; }
  const std::wstring& folder() const { return folder_; }
  const std::wstring& exe_path() const { return exe_; }
  UINT icon_id() const;
  bool running() const;

  bool sync(DWORD timeout_ms = default_timeout_ms) const;
  bool post(UINT message, WPARAM wparam, LPARAM lparam) const;
  outcome send(UINT message, WPARAM wparam, LPARAM lparam, DWORD timeout_ms = default_timeout_ms);
  outcome command(int id, DWORD timeout_ms = default_timeout_ms);
  outcome tray_event(UINT event, DWORD timeout_ms = default_timeout_ms);

  HWND menu_window() const;
  bool close_menu(DWORD timeout_ms = default_timeout_ms);
  bool choose_menu_entry(int downs, DWORD timeout_ms = default_timeout_ms);

  message_box find_report(DWORD timeout_ms = default_timeout_ms) const;
  bool no_report(DWORD wait_ms = 300) const;

  bool tray_icon_present() const;

  bool wait_for_exit(DWORD timeout_ms = default_timeout_ms) const;
  std::optional<DWORD> exit_code() const;
  int quit(DWORD timeout_ms = default_timeout_ms);

 private:
  bool pending_sends_done() const;

  std::wstring folder_;
  std::wstring exe_;
  HANDLE process_ = nullptr;
  DWORD process_id_ = 0;
  HWND dialog_ = nullptr;
  UINT icon_id_ = 0;
  std::vector<std::thread> senders_;
};

struct clipboard_data {
  UINT format;
  std::string bytes;
};

UINT html_format();
bool set_clipboard(const std::vector<clipboard_data>& items);
bool set_clipboard_text(std::wstring_view text, const std::vector<clipboard_data>& extra = {});
bool set_clipboard_bitmap();
std::optional<std::wstring> clipboard_text();
std::vector<UINT> clipboard_formats();

class clipboard_holder {
 public:
  explicit clipboard_holder(DWORD hold_ms);  // returns once the clipboard is open
  ~clipboard_holder();
  clipboard_holder(const clipboard_holder&) = delete;
  clipboard_holder& operator=(const clipboard_holder&) = delete;
  bool opened() const { return opened_; }

 private:
  std::thread thread_;
  bool opened_ = false;
};

}  // namespace e2e
