#pragma once

#include <windows.h>

#include <utility>

// Small owners for the handles the program holds across calls, so no path leaks them.

namespace app {

template <typename Handle, typename Deleter>
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
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Deleter{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct menu_deleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct icon_deleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct gdi_object_deleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct library_deleter {
  void operator()(HMODULE library) const { FreeLibrary(library); }
};

using unique_menu = unique_handle<HMENU, menu_deleter>;
using unique_icon = unique_handle<HICON, icon_deleter>;
using unique_font = unique_handle<HFONT, gdi_object_deleter>;
using unique_library = unique_handle<HMODULE, library_deleter>;

}  // namespace app
