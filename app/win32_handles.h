#pragma once

#include <windows.h>

#include <utility>

// Owners for everything the program opens, locks or allocates across calls, so that no path
// leaks it. Each knows its own "no handle" value: null, and for kernel handles also
// INVALID_HANDLE_VALUE, which CreateFile returns on failure.

namespace app {

inline bool is_valid_handle(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
template <typename Handle>
bool is_valid_handle(Handle handle) {
  return handle != Handle{};
}

template <typename Handle, auto close>
class unique_handle {
 public:
  unique_handle() = default;
  explicit unique_handle(Handle handle) : handle_(handle) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~unique_handle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return is_valid_handle(handle_); }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (is_valid_handle(handle_)) close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

inline void close_clipboard(bool) { CloseClipboard(); }
inline void delete_font(HFONT font) { DeleteObject(font); }

using unique_menu = unique_handle<HMENU, DestroyMenu>;
using unique_icon = unique_handle<HICON, DestroyIcon>;
using unique_font = unique_handle<HFONT, delete_font>;
// Files, file mappings, processes: whatever CloseHandle closes.
using unique_kernel_handle = unique_handle<HANDLE, CloseHandle>;
using unique_mapped_view = unique_handle<const void*, UnmapViewOfFile>;
// Freed unless handed on (the clipboard takes a block it accepted: release() it then).
using unique_global = unique_handle<HGLOBAL, GlobalFree>;
// The clipboard, open: true while this process has it open.
using unique_clipboard = unique_handle<bool, close_clipboard>;

// A global memory block, locked for as long as this lives.
class global_lock {
 public:
  explicit global_lock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  global_lock(const global_lock&) = delete;
  global_lock& operator=(const global_lock&) = delete;
  ~global_lock() {
    if (data_) GlobalUnlock(block_);
  }
  void* data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace app
