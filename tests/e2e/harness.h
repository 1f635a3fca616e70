#pragma once

// End-to-end harness: drives the real Tildario.exe under Wine (or Windows) through real windows,
// messages and the clipboard. Every end-to-end test is written against this file.
//
//   e2e::Program p({.dictionary = bytes, .arguments = L"x", .show_command = SW_SHOWMAXIMIZED});
//       Copies Tildario.exe (and diccionario.log, when given) into a fresh scratch folder,
//       starts it there (working folder elsewhere) and waits for its hidden dialog and for
//       Wine's start-up focus events to settle. Throws std::runtime_error on failure.
//       The destructor kills a program still running (a failed test), removes its tray icon and
//       deletes the scratch folder.
//   p.dialog(), p.process_id(), p.folder(), p.icon_id(), p.running()
//   p.command(app::CommandId::upper_case)  WM_COMMAND with the id (what a menu choice
//                      delivers); returns once the command
//                      finished (Outcome::finished) or opened a new report box
//                      (Outcome::box_open); Outcome::timed_out otherwise.
//   p.tray_event(ev)   the tray message 0x5F5 with lParam ev (WM_LBUTTONUP, ...); returns
//                      Outcome::menu_open when it opened the pop-up menu.
//   p.send(msg, w, l)  the same for any message. These send from a helper thread, so they are a
//                      true barrier: no sleeps needed. p.sync() is SendMessageTimeout(WM_NULL).
//   p.menu_window()    the program's visible #32768 menu window, or null.
//   p.close_menu()     Escape to the open menu; waits until it is gone.
//   p.choose_menu_entry(n)  moves down n times from the top entry (n = 0: the first) and
//                      presses Enter. Menu entries cannot be read from another process under Wine.
//   p.choose_command(app::CommandId::quit)  the same for a command's entry.
//   p.report(id)       runs the command, reads the box it opens and closes it; the box's text,
//                      or "(no report box)".
//   p.find_report()    waits for the program's box titled "Programador"; .text, .style,
//                      .ex_style (MB_SYSTEMMODAL shows as WS_EX_TOPMOST), .dismiss().
//   p.no_report(ms)    true when no such box is open after ms.
//   p.tray_icon_present()  whether the shell knows the program's icon (NIM_MODIFY succeeds).
//   p.peak_private_bytes(), p.peak_working_set()  the program's peak memory so far.
//   p.quit()           command 204 "&Quitar"; returns the exit code (-1 if it did not end).
//
//   Clipboard, windows and boxes: tests/support/desktop.h.
//   ClipboardGrabber grab(text, ms)  puts `text` on the clipboard for the program to read and
//                      takes the clipboard the moment the program has read it, holding it for ms,
//                      so that the program's write finds it busy.
//
//   Tildario.exe is found at TILDARIO_EXE (set by CMake) or the environment variable TILDARIO_EXE.

#include <windows.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/commands.h"
#include "app/main_dialog.h"
#include "app/report.h"
#include "app/tray_icon.h"
#include "tests/support/desktop.h"
#include "tests/support/scratch_folder.h"

namespace e2e {

constexpr DWORD default_timeout_ms = desktop::default_timeout_ms;
// The program's titles are plain ASCII.
inline const std::wstring report_title(std::begin(app::report_title), std::end(app::report_title) - 1);

// The built program, as a path this process can open.
std::wstring tildario_exe();

// A diccionario.log holding `words` (code page 1252), one record each.
std::string dictionary_file(const std::vector<std::string>& words);

struct StartOptions {
  std::optional<std::string> dictionary;  // bytes of diccionario.log beside the copy
  std::wstring arguments;                 // appended to the command line
  WORD show_command = SW_SHOWNORMAL;
  std::wstring folder_name;  // the program's folder in its scratch folder (may hold backslashes)
};

enum class Outcome { finished, box_open, menu_open, timed_out };
const char* to_string(Outcome o);

class Program {
 public:
  explicit Program(const StartOptions& options = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HWND dialog() const { return dialog_; }
  DWORD process_id() const { return process_id_; }
  HANDLE process() const { return process_; }
  const std::wstring& folder() const { return folder_; }
  const std::wstring& exe_path() const { return exe_; }
  UINT icon_id() const;
  bool running() const;

  bool sync(DWORD timeout_ms = default_timeout_ms) const;
  bool post(UINT message, WPARAM wparam, LPARAM lparam) const;
  Outcome send(UINT message, WPARAM wparam, LPARAM lparam, DWORD timeout_ms = default_timeout_ms);
  Outcome command(app::CommandId id, DWORD timeout_ms = default_timeout_ms);
  Outcome tray_event(UINT event, DWORD timeout_ms = default_timeout_ms);

  HWND menu_window() const;
  bool close_menu(DWORD timeout_ms = default_timeout_ms);
  bool choose_menu_entry(int downs, DWORD timeout_ms = default_timeout_ms);
  // The same for the entry of a command, found by its place in the menu.
  bool choose_command(app::CommandId id, DWORD timeout_ms = default_timeout_ms);

  std::wstring report(app::CommandId id);
  desktop::MessageBoxWindow find_report(DWORD timeout_ms = default_timeout_ms) const;
  bool no_report(DWORD wait_ms = 300) const;

  bool tray_icon_present() const;
  // The most memory the program has had committed (private bytes) and resident, in bytes.
  std::size_t peak_private_bytes() const;
  std::size_t peak_working_set() const;

  bool wait_for_exit(DWORD timeout_ms = default_timeout_ms) const;
  std::optional<DWORD> exit_code() const;
  int quit(DWORD timeout_ms = default_timeout_ms);

 private:
  bool pending_sends_done() const;

  test_support::ScratchFolder scratch_{"tildario-e2e"};
  std::wstring folder_;
  std::wstring exe_;
  HANDLE process_ = nullptr;
  DWORD process_id_ = 0;
  HWND dialog_ = nullptr;
  UINT icon_id_ = 0;
  std::vector<std::thread> senders_;
};

class ClipboardGrabber {
 public:
  ClipboardGrabber(std::wstring text, DWORD hold_ms);
  ~ClipboardGrabber();
  ClipboardGrabber(const ClipboardGrabber&) = delete;
  ClipboardGrabber& operator=(const ClipboardGrabber&) = delete;
  bool ready() const { return ready_; }
  // True once the program read the text and the clipboard was taken from it.
  bool grabbed(DWORD timeout_ms = default_timeout_ms) const;

  struct Shared;

 private:
  std::shared_ptr<Shared> state_;
  std::thread thread_;
  bool ready_ = false;
};

}  // namespace e2e
