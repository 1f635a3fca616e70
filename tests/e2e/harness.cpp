#include "tests/e2e/harness.h"

#include <shellapi.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace e2e {
namespace {

using clock = std::chrono::steady_clock;

constexpr DWORD poll_ms = 10;

// Polls `ready` until it holds or timeout_ms passes.
template <typename Predicate>
bool wait_until(Predicate ready, DWORD timeout_ms) {
  const auto deadline = clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (ready()) return true;
    if (clock::now() >= deadline) return false;
    Sleep(poll_ms);
  }
}

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

void create_folders(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(extended(path.substr(0, at)).c_str(), nullptr);
  }
  CreateDirectoryW(extended(path).c_str(), nullptr);
}

void delete_tree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(extended(folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        delete_tree(path);
      } else {
        // The image of a process that just ended can stay locked for a moment.
        wait_until([&] { return DeleteFileW(extended(path).c_str()) != FALSE; }, 2000);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(extended(folder).c_str());
}

std::wstring scratch_root() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) fail("GetTempPathW");
  return std::wstring(temp, length) + L"tildario-e2e";
}

std::wstring unique_folder_name() {
  static std::atomic<unsigned> counter{0};
  return std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) + L"-" +
         std::to_wstring(++counter);
}

std::wstring class_name(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

message_box read_message_box(HWND window) {
  message_box box;
  box.window = window;
  box.title = window_text(window);
  if (HWND text = GetDlgItem(window, 0xFFFF)) box.text = window_text(text);
  box.style = GetWindowLongW(window, GWL_STYLE);
  box.ex_style = GetWindowLongW(window, GWL_EXSTYLE);
  return box;
}

std::vector<HWND> boxes_of(DWORD process_id, std::wstring_view title) {
  std::vector<HWND> boxes;
  for (HWND window : process_windows(process_id, L"#32770")) {
    if (window_text(window) == title) boxes.push_back(window);
  }
  return boxes;
}

// A hidden window of this thread: the owner the clipboard calls want.
HWND clipboard_window() {
  thread_local HWND window =
      CreateWindowExW(0, L"STATIC", L"e2e clipboard", 0, 0, 0, 0, 0, nullptr, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  return window;
}

// Wine's clipboard manager holds the clipboard briefly after every change.
bool open_clipboard(HWND owner, DWORD timeout_ms = 3000) {
  return wait_until([&] { return OpenClipboard(owner) != FALSE; }, timeout_ms);
}

struct clipboard_session {
  bool open;
  explicit clipboard_session(HWND owner) : open(open_clipboard(owner)) {}
  ~clipboard_session() {
    if (open) CloseClipboard();
  }
};

bool put_on_clipboard(UINT format, const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return false;
  }
  if (size) std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace

const char* to_string(outcome o) {
  switch (o) {
    case outcome::finished: return "finished";
    case outcome::box_open: return "box_open";
    case outcome::menu_open: return "menu_open";
    case outcome::timed_out: return "timed_out";
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
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

namespace {

struct window_search {
  DWORD process_id;
  const wchar_t* class_filter;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<window_search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || !IsWindowVisible(window)) return TRUE;
  if (search.class_filter && class_name(window) != search.class_filter) return TRUE;
  search.found.push_back(window);
  return TRUE;
}

struct dialog_search {
  DWORD process_id;
  HWND found;
};

// The dialog is hidden, so it is looked for among every window of the process.
BOOL CALLBACK find_dialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<dialog_search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && class_name(window) == L"#32770" &&
      window_text(window) == dialog_title) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> process_windows(DWORD process_id, const wchar_t* class_filter) {
  window_search search{process_id, class_filter, {}};
  EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring window_text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, default_timeout_ms,
                           &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_NORMAL, default_timeout_ms, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

message_box find_message_box(DWORD process_id, std::wstring_view title, DWORD timeout_ms) {
  HWND found = nullptr;
  wait_until(
      [&] {
        const auto boxes = boxes_of(process_id, title);
        if (!boxes.empty()) found = boxes.back();
        return found != nullptr;
      },
      timeout_ms);
  return found ? read_message_box(found) : message_box{};
}

bool message_box::dismiss(int button, DWORD timeout_ms) const {
  if (!window) return false;
  PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(button), 0);
  return wait_until([&] { return !IsWindow(window); }, timeout_ms);
}

program::program(const start_options& options) {
  const std::wstring source = tildario_exe();
  folder_ = scratch_root() + L"\\" +
            (options.folder_name.empty() ? unique_folder_name()
                                         : unique_folder_name() + L"\\" + options.folder_name);
  create_folders(folder_);
  exe_ = folder_ + L"\\Tildario.exe";
  if (!CopyFileW(extended(source).c_str(), extended(exe_).c_str(), FALSE)) {
    fail("cannot copy " + narrow(source) + " to " + narrow(exe_));
  }
  if (options.dictionary) {
    HANDLE file = CreateFileW(extended(folder_ + L"\\diccionario.log").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("cannot create diccionario.log");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, options.dictionary->data(),
                              static_cast<DWORD>(options.dictionary->size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != options.dictionary->size()) fail("cannot write diccionario.log");
  }

  std::wstring command_line = L"\"" + exe_ + L"\"";
  if (!options.arguments.empty()) command_line += L" " + options.arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = options.show_command;
  PROCESS_INFORMATION info{};
  // Started from another folder, so that the program has to find its own.
  const std::wstring working_folder = scratch_root();
  if (!CreateProcessW(extended(exe_).c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      working_folder.c_str(), &startup, &info)) {
    fail("cannot start " + narrow(exe_));
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  process_id_ = info.dwProcessId;

  const bool found = wait_until(
      [&] {
        if (!running()) return false;
        dialog_search search{process_id_, nullptr};
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
    delete_tree(folder_);
    throw std::runtime_error("Tildario.exe started but its dialog did not appear");
  }
  icon_id_ = static_cast<UINT>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE));
  // Under Wine the X events of the start-up's foreground change and hide arrive a little later;
  // a menu opened or a window shown before they are handled is undone by them.
  Sleep(300);
  sync();
}

program::~program() {
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
  delete_tree(folder_);
  // The parent folder is this program's own only when a folder name was given.
  const std::wstring root = scratch_root();
  for (std::wstring parent = folder_; parent.size() > root.size() + 1;) {
    parent.resize(parent.find_last_of(L'\\'));
    if (parent.size() <= root.size()) break;
    RemoveDirectoryW(extended(parent).c_str());
  }
}

UINT program::icon_id() const { return icon_id_; }

bool program::running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool program::sync(DWORD timeout_ms) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

bool program::post(UINT message, WPARAM wparam, LPARAM lparam) const {
  return PostMessageW(dialog_, message, wparam, lparam) != FALSE;
}

outcome program::send(UINT message, WPARAM wparam, LPARAM lparam, DWORD timeout_ms) {
  const std::vector<HWND> earlier_boxes = boxes_of(process_id_, report_title);
  auto done = std::make_shared<std::atomic<bool>>(false);
  const HWND dialog = dialog_;
  // The send blocks for as long as a box or a menu it opened stays open.
  senders_.emplace_back([=] {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, message, wparam, lparam, SMTO_NORMAL, 10 * 60 * 1000, &result);
    *done = true;
  });
  outcome result = outcome::timed_out;
  wait_until(
      [&] {
        if (*done) {
          result = outcome::finished;
        } else if (menu_window()) {
          result = outcome::menu_open;
        } else {
          for (HWND box : boxes_of(process_id_, report_title)) {
            bool is_new = true;
            for (HWND earlier : earlier_boxes) is_new = is_new && earlier != box;
            if (is_new) result = outcome::box_open;
          }
        }
        return result != outcome::timed_out;
      },
      timeout_ms);
  return result;
}

outcome program::command(int id, DWORD timeout_ms) {
  return send(WM_COMMAND, static_cast<WPARAM>(id), 0, timeout_ms);
}

outcome program::tray_event(UINT event, DWORD timeout_ms) {
  return send(tray_message, 0, static_cast<LPARAM>(event), timeout_ms);
}

HWND program::menu_window() const {
  const auto menus = process_windows(process_id_, L"#32768");
  return menus.empty() ? nullptr : menus.front();
}

bool program::close_menu(DWORD timeout_ms) {
  HWND menu = menu_window();
  if (!menu) return false;
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  return wait_until([&] { return menu_window() == nullptr; }, timeout_ms);
}

bool program::choose_menu_entry(int downs, DWORD timeout_ms) {
  HWND menu = menu_window();
  if (!menu) return false;
  // The first Down selects the first entry.
  for (int i = 0; i <= downs; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return wait_until([&] { return menu_window() == nullptr; }, timeout_ms);
}

message_box program::find_report(DWORD timeout_ms) const {
  return find_message_box(process_id_, report_title, timeout_ms);
}

bool program::no_report(DWORD wait_ms) const {
  Sleep(wait_ms);
  return boxes_of(process_id_, report_title).empty();
}

bool program::tray_icon_present() const {
  NOTIFYICONDATAW key{};
  key.cbSize = sizeof(key);
  key.hWnd = dialog_;
  key.uID = icon_id_;
  return Shell_NotifyIconW(NIM_MODIFY, &key) != FALSE;
}

bool program::wait_for_exit(DWORD timeout_ms) const {
  return process_ && WaitForSingleObject(process_, timeout_ms) == WAIT_OBJECT_0;
}

std::optional<DWORD> program::exit_code() const {
  DWORD code = 0;
  if (running() || !process_ || !GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

int program::quit(DWORD timeout_ms) {
  command(204, timeout_ms);
  if (!wait_for_exit(timeout_ms)) return -1;
  return static_cast<int>(exit_code().value_or(static_cast<DWORD>(-1)));
}

UINT html_format() { return RegisterClipboardFormatW(L"HTML Format"); }

bool set_clipboard(const std::vector<clipboard_data>& items) {
  clipboard_session session(clipboard_window());
  if (!session.open || !EmptyClipboard()) return false;
  for (const clipboard_data& item : items) {
    if (!put_on_clipboard(item.format, item.bytes.data(), item.bytes.size())) return false;
  }
  return true;
}

bool set_clipboard_text(std::wstring_view text, const std::vector<clipboard_data>& extra) {
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  bytes.append(sizeof(wchar_t), '\0');
  std::vector<clipboard_data> items{{CF_UNICODETEXT, std::move(bytes)}};
  items.insert(items.end(), extra.begin(), extra.end());
  return set_clipboard(items);
}

bool set_clipboard_bitmap() {
  clipboard_session session(clipboard_window());
  if (!session.open || !EmptyClipboard()) return false;
  static const WORD pixels[4] = {0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, pixels);
  if (!bitmap) return false;
  if (!SetClipboardData(CF_BITMAP, bitmap)) {
    DeleteObject(bitmap);
    return false;
  }
  return true;
}

std::optional<std::wstring> clipboard_text() {
  clipboard_session session(clipboard_window());
  if (!session.open) return std::nullopt;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (!text) return std::nullopt;
  const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  std::wstring result(text, length);
  GlobalUnlock(data);
  return result;
}

std::vector<UINT> clipboard_formats() {
  std::vector<UINT> formats;
  clipboard_session session(clipboard_window());
  if (!session.open) return formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    formats.push_back(format);
  }
  return formats;
}

clipboard_holder::clipboard_holder(DWORD hold_ms) {
  std::atomic<int> state{0};  // 0 waiting, 1 open, 2 failed
  thread_ = std::thread([&state, hold_ms] {
    HWND owner = clipboard_window();
    if (!open_clipboard(owner)) {
      state = 2;
      return;
    }
    state = 1;
    Sleep(hold_ms);
    CloseClipboard();
  });
  while (state == 0) Sleep(1);
  opened_ = state == 1;
}

clipboard_holder::~clipboard_holder() { thread_.join(); }

}  // namespace e2e
