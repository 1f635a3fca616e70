#include "tests/e2e/harness.h"

#include <shellapi.h>
#include <psapi.h>

#include <atomic>
#include <cstring>
#include <stdexcept>

#include "accents/dictionary_file.h"
#include "win32/handles.h"

namespace e2e {
namespace {

using desktop::wait_until;

std::string narrow(std::wstring_view text) {
  std::string result;
  for (wchar_t c : text) result += c < 0x80 ? static_cast<char>(c) : '?';
  return result;
}

[[noreturn]] void fail(const std::string& what) {
  throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

std::wstring extended(const std::wstring& path) {
  if (path.size() < 240 || path.starts_with(L"\\\\?\\")) return path;
  return L"\\\\?\\" + path;
}

struct DialogSearch {
  DWORD process_id;
  HWND found;
};

// The dialog is hidden, so it is looked for among every window of the process.
BOOL CALLBACK find_dialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && desktop::class_name(window) == L"#32770" &&
      desktop::window_text(window) == app::main_dialog_title) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

const char* to_string(Outcome o) {
  switch (o) {
    case Outcome::finished: return "finished";
    case Outcome::box_open: return "box_open";
    case Outcome::menu_open: return "menu_open";
    case Outcome::timed_out: return "timed_out";
  }
  return "?";
}

std::wstring tildario_exe() {
  std::wstring path;
  wchar_t from_environment[32768];
  const DWORD length = GetEnvironmentVariableW(L"TILDARIO_EXE", from_environment, 32768);
  if (length > 0 && length < 32768) {
    path = from_environment;
  } else {
    const std::string built = TILDARIO_EXE;
    path.assign(built.begin(), built.end());
  }
  // A Unix path from the cross build: Wine shows the Unix root as drive Z:.
  if (path.starts_with(L"/")) path = L"Z:" + path;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::string dictionary_file(const std::vector<std::string>& words) {
  std::string file;
  for (const auto& w : words)
    if (const auto record = accents::encode_record(w))
      file.append(reinterpret_cast<const char*>(record->data()), record->size());
  return file;
}

Program::Program(const StartOptions& options) {
  const std::wstring source = tildario_exe();
  folder_ = scratch_.make_folder(options.folder_name.empty() ? L"programa" : options.folder_name).wstring();
  exe_ = folder_ + L"\\Tildario.exe";
  if (!CopyFileW(extended(source).c_str(), extended(exe_).c_str(), FALSE))
    fail("cannot copy " + narrow(source) + " to " + narrow(exe_));
  if (options.dictionary) scratch_.write(folder_ + L"\\diccionario.log", *options.dictionary);

  std::wstring command_line = L"\"" + exe_ + L"\"";
  // clang-format off
  if (!options.arguments.empty()) command_line += L" " + options.arguments;
  // clang-format on
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = options.show_command;
  PROCESS_INFORMATION info{};
  // Started from another folder, so that the program has to find its own.
  const std::wstring working_folder = scratch_.path().wstring();
  if (!CreateProcessW(extended(exe_).c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      working_folder.c_str(), &startup, &info))
    fail("cannot start " + narrow(exe_));
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  process_id_ = info.dwProcessId;

  const bool found = wait_until(
      [&] {
        if (!running()) return false;
        DialogSearch search{process_id_, nullptr};
        EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
        dialog_ = search.found;
        return dialog_ != nullptr;
      },
      30000);
  // The dialog exists before its procedure added the icon: wait until it pumps messages.
  if (!found || !sync()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
    process_ = nullptr;
    throw std::runtime_error("Tildario.exe started but its dialog did not appear");
  }
  icon_id_ = static_cast<UINT>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE));
  // Under Wine the X events of the start-up's foreground change and hide arrive a little later;
  // a menu opened or a window shown before they are handled is undone by them.
  Sleep(300);
  sync();
}

Program::~Program() {
  if (running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
    // A killed program leaves its icon behind: later tests look at the tray.
    NOTIFYICONDATAW key{};
    key.cbSize = sizeof(key);
    key.hWnd = dialog_;
    key.uID = icon_id_;
    Shell_NotifyIconW(NIM_DELETE, &key);
  }
  for (std::thread& sender : senders_) sender.join();
  if (process_) CloseHandle(process_);
}

UINT Program::icon_id() const { return icon_id_; }

bool Program::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Program::sync(DWORD timeout_ms) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

bool Program::post(UINT message, WPARAM wparam, LPARAM lparam) const {
  return PostMessageW(dialog_, message, wparam, lparam) != FALSE;
}

Outcome Program::send(UINT message, WPARAM wparam, LPARAM lparam, DWORD timeout_ms) {
  const std::vector<HWND> earlier_boxes = desktop::message_boxes(process_id_, report_title);
  auto done = std::make_shared<std::atomic<bool>>(false);
  const HWND dialog = dialog_;
  // The send blocks for as long as a box or a menu it opened stays open.
  senders_.emplace_back([=] {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, message, wparam, lparam, SMTO_NORMAL, 10 * 60 * 1000, &result);
    *done = true;
  });
  Outcome result = Outcome::timed_out;
  wait_until(
      [&] {
        if (*done) {
          result = Outcome::finished;
        } else if (menu_window()) {
          result = Outcome::menu_open;
        } else {
          for (HWND box : desktop::message_boxes(process_id_, report_title)) {
            bool is_new = true;
            for (HWND earlier : earlier_boxes) is_new = is_new && earlier != box;
            if (is_new) result = Outcome::box_open;
          }
        }
        return result != Outcome::timed_out;
      },
      timeout_ms);
  return result;
}

Outcome Program::command(app::CommandId id, DWORD timeout_ms) {
  return send(WM_COMMAND, static_cast<WPARAM>(id), 0, timeout_ms);
}

Outcome Program::tray_event(UINT event, DWORD timeout_ms) {
  return send(app::tray_message, 0, static_cast<LPARAM>(event), timeout_ms);
}

HWND Program::menu_window() const {
  const auto menus = desktop::process_windows(process_id_, L"#32768");
  return menus.empty() ? nullptr : menus.front();
}

bool Program::close_menu(DWORD timeout_ms) {
  HWND menu = menu_window();
  if (!menu) return false;
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  return wait_until([&] { return menu_window() == nullptr; }, timeout_ms);
}

bool Program::choose_menu_entry(int downs, DWORD timeout_ms) {
  HWND menu = menu_window();
  if (!menu) return false;
  // The first Down selects the first entry.
  for (int i = 0; i <= downs; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return wait_until([&] { return menu_window() == nullptr; }, timeout_ms);
}

bool Program::choose_command(app::CommandId id, DWORD timeout_ms) {
  // Keys move from command to command: separators are skipped.
  int downs = 0;
  for (const app::MenuRow& row : app::tray_menu_rows()) {
    if (row.run && row.id == id) return choose_menu_entry(downs, timeout_ms);
    downs += row.run != nullptr;
  }
  return false;
}

std::wstring Program::report(app::CommandId id) {
  if (command(id) != Outcome::box_open) return L"(no report box)";
  const desktop::MessageBoxWindow box = find_report();
  box.dismiss();
  return box.text;
}

desktop::MessageBoxWindow Program::find_report(DWORD timeout_ms) const {
  return desktop::find_message_box(process_id_, report_title, timeout_ms);
}

bool Program::no_report(DWORD wait_ms) const {
  Sleep(wait_ms);
  return desktop::message_boxes(process_id_, report_title).empty();
}

bool Program::tray_icon_present() const {
  NOTIFYICONDATAW key{};
  key.cbSize = sizeof(key);
  key.hWnd = dialog_;
  key.uID = icon_id_;
  return Shell_NotifyIconW(NIM_MODIFY, &key) != FALSE;
}

namespace {

PROCESS_MEMORY_COUNTERS memory_counters(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!process || !K32GetProcessMemoryInfo(process, &counters, sizeof(counters))) return {};
  return counters;
}

}  // namespace

std::size_t Program::peak_private_bytes() const { return memory_counters(process_).PeakPagefileUsage; }
std::size_t Program::peak_working_set() const { return memory_counters(process_).PeakWorkingSetSize; }

bool Program::wait_for_exit(DWORD timeout_ms) const {
  return process_ && WaitForSingleObject(process_, timeout_ms) == WAIT_OBJECT_0;
}

std::optional<DWORD> Program::exit_code() const {
  DWORD code = 0;
  if (running() || !process_ || !GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

int Program::quit(DWORD timeout_ms) {
  command(app::CommandId::quit, timeout_ms);
  if (!wait_for_exit(timeout_ms)) return -1;
  return static_cast<int>(exit_code().value_or(static_cast<DWORD>(-1)));
}

// The text is put on the clipboard for rendering on demand: the program's GetClipboardData asks
// this thread for it, which tells when the program has the clipboard open; the thread then
// takes the clipboard as soon as the program lets go of it.
struct ClipboardGrabber::Shared {
  std::wstring text;
  DWORD hold_ms;
  std::atomic<bool> rendered{false};
  std::atomic<bool> grabbed{false};
};

namespace {

LRESULT CALLBACK grabber_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<ClipboardGrabber::Shared*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_RENDERFORMAT && state && wparam == CF_UNICODETEXT) {
    const std::size_t bytes = (state->text.size() + 1) * sizeof(wchar_t);
    win32::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (block) {
      {
        const win32::LockedGlobal lock(block.get());
        if (lock.data()) std::memcpy(lock.data(), state->text.c_str(), bytes);
      }
      if (SetClipboardData(CF_UNICODETEXT, block.get())) block.release();
    }
    state->rendered = true;
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

ClipboardGrabber::ClipboardGrabber(std::wstring text, DWORD hold_ms) : state_(std::make_shared<Shared>()) {
  state_->text = std::move(text);
  state_->hold_ms = hold_ms;
  std::atomic<int> setup{0};  // 0 waiting, 1 ready, 2 failed
  thread_ = std::thread([&setup, state = state_] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = grabber_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"e2e clipboard grabber";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  window_class.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.get()));
    bool offered = false;
    if (window && wait_until([&] { return OpenClipboard(window) != FALSE; }, 3000)) {
      offered = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, nullptr) == nullptr;
      CloseClipboard();
    }
    setup = offered ? 1 : 2;
    if (!offered) {
      if (window) DestroyWindow(window);
      return;
    }
    // Answers the render request, then takes the clipboard the moment it is free again.
    MSG message;
    const auto deadline = GetTickCount() + 30000;
    while (!state->rendered && GetTickCount() < deadline) {
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0)
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    bool opened = false;
    while (state->rendered && !opened && GetTickCount() < deadline) opened = OpenClipboard(window) != FALSE;
    if (opened) {
      state->grabbed = true;
      Sleep(state->hold_ms);
      CloseClipboard();
    }
    DestroyWindow(window);
  });
  while (setup == 0) Sleep(1);
  ready_ = setup == 1;
}

ClipboardGrabber::~ClipboardGrabber() { thread_.join(); }

bool ClipboardGrabber::grabbed(DWORD timeout_ms) const {
  return wait_until([&] { return state_->grabbed.load(); }, timeout_ms);
}

}  // namespace e2e
