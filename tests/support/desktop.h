#pragma once

// What the tests that run under Wine (or Windows) share: finding another program's windows and
// message boxes, and setting and reading the clipboard as another program would.
//
//   desktop::set_clipboard_text(L"...", {{desktop::html_format(), "<b>x</b>"}})  text plus extra formats
//   desktop::set_clipboard({...})   exactly these formats; {} empties the clipboard
//   desktop::set_clipboard_bitmap() a picture only
//   desktop::clipboard_text()       the CF_UNICODETEXT text, or nullopt
//   desktop::clipboard_formats()    every format on the clipboard
//   desktop::ClipboardHolder hold(ms)  keeps the clipboard open from another thread for ms
//   desktop::set_clipboard_repeated(L"piece", n)  `piece` over and over, n units in all, written
//                                   straight into the clipboard's memory (texts of hundreds of MB)
//   desktop::clipboard_digest()     length and hash of the clipboard's Unicode text, read in place
//   desktop::find_message_box(pid, L"Programador", ms)  a visible box: .text, .style, .dismiss()
//
// The clipboard calls own a hidden window of the calling thread and retry OpenClipboard for a
// moment: Wine's clipboard manager holds the clipboard briefly after every change.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace desktop {

inline constexpr DWORD default_timeout_ms = 10000;

// Polls `ready` every 10 ms until it holds or timeout_ms passes.
template <typename Predicate>
bool wait_until(Predicate ready, DWORD timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (ready()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(10);
  }
}

struct MessageBoxWindow {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  LONG style = 0;
  LONG ex_style = 0;

  explicit operator bool() const { return window != nullptr; }
  // Presses `button` and waits until the box is gone.
  bool dismiss(int button = IDOK, DWORD timeout_ms = default_timeout_ms) const;
};

// A window's text through WM_GETTEXT (works across processes).
std::wstring window_text(HWND window);
std::wstring class_name(HWND window);

// Visible top-level windows of `process_id` whose class is `class_name` (any if null).
std::vector<HWND> process_windows(DWORD process_id, const wchar_t* class_name);

// The visible boxes of `process_id` titled `title`, and the newest of them once one is there,
// waiting up to timeout_ms.
std::vector<HWND> message_boxes(DWORD process_id, std::wstring_view title);
MessageBoxWindow find_message_box(DWORD process_id, std::wstring_view title, DWORD timeout_ms = default_timeout_ms);

struct ClipboardData {
  UINT format;
  std::string bytes;
};

UINT html_format();
bool set_clipboard(const std::vector<ClipboardData>& items);
bool set_clipboard_text(std::wstring_view text, const std::vector<ClipboardData>& extra = {});
bool set_clipboard_bitmap();
std::optional<std::wstring> clipboard_text();

struct TextDigest {
  std::size_t length = 0;
  std::uint64_t hash = 0;
  friend bool operator==(const TextDigest&, const TextDigest&) = default;
};
bool set_clipboard_repeated(std::wstring_view piece, std::size_t units);
std::optional<TextDigest> clipboard_digest();
// The digest set_clipboard_repeated's text would have.
TextDigest repeated_digest(std::wstring_view piece, std::size_t units);
std::vector<UINT> clipboard_formats();

class ClipboardHolder {
 public:
  explicit ClipboardHolder(DWORD hold_ms);  // returns once the clipboard is open
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  bool opened() const { return opened_; }

 private:
  std::thread thread_;
  bool opened_ = false;
};

}  // namespace desktop
