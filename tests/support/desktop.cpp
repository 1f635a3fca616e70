#include "tests/support/desktop.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "win32/handles.h"

namespace desktop {
namespace {

// A hidden window of this thread: the owner the clipboard calls want.
HWND clipboard_window() {
  thread_local HWND window = CreateWindowExW(0, L"STATIC", L"test clipboard", 0, 0, 0, 0, 0, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr);
  return window;
}

win32::UniqueClipboard open_clipboard(HWND owner, DWORD timeout_ms = 3000) {
  return win32::UniqueClipboard(wait_until([&] { return OpenClipboard(owner) != FALSE; }, timeout_ms));
}

bool put_on_clipboard(UINT format, const void* bytes, std::size_t size) {
  win32::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size));
  if (!memory) return false;
  {
    const win32::LockedGlobal lock(memory.get());
    if (!lock.data()) return false;
    if (size) std::memcpy(lock.data(), bytes, size);
  }
  if (!SetClipboardData(format, memory.get())) return false;
  memory.release();
  return true;
}

MessageBoxWindow read_message_box(HWND window) {
  MessageBoxWindow box;
  box.window = window;
  box.title = window_text(window);
  if (HWND text = GetDlgItem(window, 0xFFFF)) box.text = window_text(text);
  box.style = GetWindowLongW(window, GWL_STYLE);
  box.ex_style = GetWindowLongW(window, GWL_EXSTYLE);
  return box;
}

struct WindowSearch {
  DWORD process_id;
  const wchar_t* class_filter;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_window(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || !IsWindowVisible(window)) return TRUE;
  if (search.class_filter && class_name(window) != search.class_filter) return TRUE;
  search.found.push_back(window);
  return TRUE;
}

}  // namespace

std::wstring window_text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, default_timeout_ms, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                           default_timeout_ms, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::wstring class_name(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::vector<HWND> process_windows(DWORD process_id, const wchar_t* class_filter) {
  WindowSearch search{process_id, class_filter, {}};
  EnumWindows(collect_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> message_boxes(DWORD process_id, std::wstring_view title) {
  std::vector<HWND> boxes;
  for (HWND window : process_windows(process_id, L"#32770"))
    if (window_text(window) == title) boxes.push_back(window);
  return boxes;
}

MessageBoxWindow find_message_box(DWORD process_id, std::wstring_view title, DWORD timeout_ms) {
  HWND found = nullptr;
  wait_until(
      [&] {
        const auto boxes = message_boxes(process_id, title);
        if (!boxes.empty()) found = boxes.back();
        return found != nullptr;
      },
      timeout_ms);
  return found ? read_message_box(found) : MessageBoxWindow{};
}

bool MessageBoxWindow::dismiss(int button, DWORD timeout_ms) const {
  if (!window) return false;
  PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(button), 0);
  return wait_until([&] { return !IsWindow(window); }, timeout_ms);
}

UINT html_format() { return RegisterClipboardFormatW(L"HTML Format"); }

bool set_clipboard(const std::vector<ClipboardData>& items) {
  const win32::UniqueClipboard clipboard = open_clipboard(clipboard_window());
  if (!clipboard || !EmptyClipboard()) return false;
  for (const ClipboardData& item : items)
    if (!put_on_clipboard(item.format, item.bytes.data(), item.bytes.size())) return false;
  return true;
}

bool set_clipboard_text(std::wstring_view text, const std::vector<ClipboardData>& extra) {
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  bytes.append(sizeof(wchar_t), '\0');
  std::vector<ClipboardData> items{{CF_UNICODETEXT, std::move(bytes)}};
  items.insert(items.end(), extra.begin(), extra.end());
  return set_clipboard(items);
}

bool set_clipboard_bitmap() {
  const win32::UniqueClipboard clipboard = open_clipboard(clipboard_window());
  if (!clipboard || !EmptyClipboard()) return false;
  static const WORD pixels[4] = {0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, pixels);
  if (!bitmap) return false;
  if (!SetClipboardData(CF_BITMAP, bitmap)) {
    DeleteObject(bitmap);
    return false;
  }
  return true;
}

namespace {

// Calls read(units, length) on the clipboard's Unicode text, in place; nothing without one.
template <typename Read>
auto read_clipboard_units(Read read) -> std::optional<decltype(read(nullptr, 0))> {
  const win32::UniqueClipboard clipboard = open_clipboard(clipboard_window());
  if (!clipboard) return std::nullopt;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const win32::LockedGlobal lock(data);
  if (!lock.data()) return std::nullopt;
  const auto* units = static_cast<const wchar_t*>(lock.data());
  const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < capacity && units[length] != L'\0') ++length;
  return read(units, length);
}

}  // namespace

std::optional<std::wstring> clipboard_text() {
  return read_clipboard_units([](const wchar_t* units, std::size_t length) { return std::wstring(units, length); });
}

namespace {

// FNV-1a over the units.
class TextHasher {
 public:
  void add(const wchar_t* units, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) hash_ = (hash_ ^ static_cast<std::uint16_t>(units[i])) * 0x100000001B3ull;
    length_ += n;
  }
  TextDigest digest() const { return {length_, hash_}; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
  std::size_t length_ = 0;
};

void fill_repeated(std::wstring_view piece, std::size_t units, wchar_t* out) {
  for (std::size_t i = 0; i < units; i += piece.size())
    std::copy_n(piece.data(), std::min(piece.size(), units - i), out + i);
}

}  // namespace

bool set_clipboard_repeated(std::wstring_view piece, std::size_t units) {
  if (piece.empty()) return false;
  win32::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (units + 1) * sizeof(wchar_t)));
  if (!memory) return false;
  {
    const win32::LockedGlobal lock(memory.get());
    if (!lock.data()) return false;
    auto* out = static_cast<wchar_t*>(lock.data());
    fill_repeated(piece, units, out);
    out[units] = L'\0';
  }
  const win32::UniqueClipboard clipboard = open_clipboard(clipboard_window());
  if (!clipboard || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();
  return true;
}

std::optional<TextDigest> clipboard_digest() {
  return read_clipboard_units([](const wchar_t* units, std::size_t length) {
    TextHasher hasher;
    hasher.add(units, length);
    return hasher.digest();
  });
}

TextDigest repeated_digest(std::wstring_view piece, std::size_t units) {
  TextHasher hasher;
  for (std::size_t i = 0; i < units; i += piece.size()) hasher.add(piece.data(), std::min(piece.size(), units - i));
  return hasher.digest();
}

std::vector<UINT> clipboard_formats() {
  std::vector<UINT> formats;
  const win32::UniqueClipboard clipboard = open_clipboard(clipboard_window());
  if (!clipboard) return formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    formats.push_back(format);
  return formats;
}

ClipboardHolder::ClipboardHolder(DWORD hold_ms) {
  std::atomic<int> state{0};  // 0 waiting, 1 open, 2 failed
  thread_ = std::thread([&state, hold_ms] {
    const win32::UniqueClipboard clipboard = open_clipboard(clipboard_window());
    if (!clipboard) {
      state = 2;
      return;
    }
    state = 1;
    Sleep(hold_ms);
  });
  while (state == 0) Sleep(1);
  opened_ = state == 1;
}

ClipboardHolder::~ClipboardHolder() { thread_.join(); }

}  // namespace desktop
