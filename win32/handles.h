#pragma once

#include <windows.h>

#include <utility>

// Owners for everything the program opens, locks or allocates across calls, so that no path
// leaks it. Each knows its own "no handle" value: null, and for kernel handles also
// INVALID_HANDLE_VALUE, which CreateFile returns on failure.

namespace win32 {

inline bool is_valid_handle(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
template <typename Handle>
bool is_valid_handle(Handle handle) {
  return handle != Handle{};
}

template <typename Handle, auto close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~UniqueHandle() { reset(); }

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

using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueFont = UniqueHandle<HFONT, delete_font>;
// Files, file mappings, processes: whatever CloseHandle closes.
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using UniqueMappedView = UniqueHandle<const void*, UnmapViewOfFile>;
// Freed unless handed on (the clipboard takes a block it accepted: release() it then).
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalFree>;
// The clipboard, open: true while this process has it open.
using UniqueClipboard = UniqueHandle<bool, close_clipboard>;

// A global memory block, locked for as long as this lives.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (data_) GlobalUnlock(block_);
  }
  void* data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace win32
