#include "app/clipboard.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "app/ansi_code_page.h"

namespace app {

namespace {

// Clipboard managers, and Wine's own, hold the clipboard for a few milliseconds after every
// change: a busy clipboard is tried again before giving up.
constexpr int open_attempts = 10;
constexpr DWORD open_retry_ms = 20;

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND window) {
    for (int attempt = 0; attempt < open_attempts; ++attempt) {
      if (attempt > 0) Sleep(open_retry_ms);
      if (OpenClipboard(window)) {
        open_ = true;
        return;
      }
    }
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(block_);
  }
  void* data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

// A global memory block that is freed unless the clipboard took it.
class OwnedGlobal {
 public:
  explicit OwnedGlobal(HGLOBAL block) : block_(block) {}
  OwnedGlobal(const OwnedGlobal&) = delete;
  OwnedGlobal& operator=(const OwnedGlobal&) = delete;
  ~OwnedGlobal() {
    if (block_) GlobalFree(block_);
  }
  HGLOBAL get() const { return block_; }
  void release() { block_ = nullptr; }

 private:
  HGLOBAL block_;
};

// The units of the clipboard's Unicode text up to its first zero unit; nothing when there is none
// or it cannot be read.
std::optional<std::u16string> copy_clipboard_units(HWND window) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  const OpenClipboardScope clipboard(window);
  if (!clipboard) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const GlobalLockScope lock(data);
  if (!lock.data()) return std::nullopt;
  // A block without a zero unit is read no further than its own size.
  const auto* units = static_cast<const char16_t*>(lock.data());
  const std::size_t capacity = GlobalSize(data) / sizeof(char16_t);
  std::size_t length = 0;
  while (length < capacity && units[length] != u'\0') ++length;
  return std::u16string(units, length);
}

}  // namespace

std::optional<text::ClipboardText> read_clipboard_text(HWND window) {
  const std::optional<std::u16string> units = copy_clipboard_units(window);
  if (!units) return std::nullopt;
  return text::make_clipboard_text(*units, ansi_code_page());
}

ClipboardWrite write_clipboard_text(HWND window, const text::ClipboardText& read, std::string_view rewritten) {
  if (rewritten == read.text) return ClipboardWrite::unchanged;

  const std::u16string units = text::restore_foreign(read, rewritten, ansi_code_page());
  if (units.empty() && !rewritten.empty()) return ClipboardWrite::failed;
  if (units.size() >= SIZE_MAX / sizeof(char16_t)) return ClipboardWrite::failed;

  const std::size_t bytes = (units.size() + 1) * sizeof(char16_t);
  OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!block.get()) return ClipboardWrite::failed;
  {
    const GlobalLockScope lock(block.get());
    if (!lock.data()) return ClipboardWrite::failed;
    std::memcpy(lock.data(), units.c_str(), bytes);  // the units and their zero unit
  }

  // The memory is ready before the clipboard is opened, so it is held as briefly as possible.
  const OpenClipboardScope clipboard(window);
  if (!clipboard) return ClipboardWrite::failed;
  // Emptying drops the rich and 8-bit versions of the old text, so that every paste gives the
  // rewrite; it also makes `window` the owner, without which SetClipboardData is refused.
  if (!EmptyClipboard()) return ClipboardWrite::failed;
  if (!SetClipboardData(CF_UNICODETEXT, block.get())) return ClipboardWrite::failed;
  block.release();
  return ClipboardWrite::written;
}

}  // namespace app
