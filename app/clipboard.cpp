#include "app/clipboard.h"

#include "win32/handles.h"

namespace app {

namespace {

// Clipboard managers, and Wine's own, hold the clipboard for a few milliseconds after every
// change, and for hundreds on a busy machine: a busy clipboard is tried again for about a second
// before giving up.
constexpr int open_attempts = 50;
constexpr DWORD open_retry_ms = 20;

win32::UniqueClipboard open_clipboard(HWND window) {
  for (int attempt = 0; attempt < open_attempts; ++attempt) {
    if (attempt > 0) Sleep(open_retry_ms);
    if (OpenClipboard(window)) return win32::UniqueClipboard(true);
  }
  return win32::UniqueClipboard();
}

}  // namespace

std::optional<text::CodePageText> read_clipboard_text(HWND window) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  const win32::UniqueClipboard clipboard = open_clipboard(window);
  if (!clipboard) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const win32::LockedGlobal lock(data);
  if (!lock.data()) return std::nullopt;
  // Converted straight from the clipboard's memory, and read no further than the block's own
  // size should it hold no zero unit.
  const auto* units = static_cast<const char16_t*>(lock.data());
  const std::size_t capacity = GlobalSize(data) / sizeof(char16_t);
  std::size_t length = 0;
  while (length < capacity && units[length] != u'\0') ++length;
  return text::from_utf16(std::u16string_view(units, length));
}

ClipboardWrite write_clipboard_text(HWND window, const text::CodePageText& text) {
  // Every byte is one UTF-16 unit; one more for the terminating zero.
  const std::size_t units = text.text.size();
  win32::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, (units + 1) * sizeof(char16_t)));
  if (!block) return ClipboardWrite::no_memory;
  {
    const win32::LockedGlobal lock(block.get());
    if (!lock.data()) return ClipboardWrite::no_memory;
    auto* out = static_cast<char16_t*>(lock.data());
    text::write_utf16(text, out);
    out[units] = u'\0';
  }

  // The memory is ready before the clipboard is opened, so it is held as briefly as possible.
  const win32::UniqueClipboard clipboard = open_clipboard(window);
  if (!clipboard) return ClipboardWrite::busy;
  // Emptying drops the rich and 8-bit versions of the old text, so that every paste gives the
  // rewrite; it also makes `window` the owner, without which SetClipboardData is refused.
  if (!EmptyClipboard()) return ClipboardWrite::busy;
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) return ClipboardWrite::failed;
  block.release();
  return ClipboardWrite::written;
}

}  // namespace app
