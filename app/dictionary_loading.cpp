#include "app/dictionary_loading.h"

#include <cstdint>
#include <new>
#include <span>
#include <stdexcept>
#include <utility>

#include "accents/dictionary_file.h"
#include "accents/dictionary_loader.h"
#include "win32/file_paths.h"
#include "app/report.h"
#include "win32/handles.h"

namespace app {
namespace {

// The whole file, mapped into memory while it is read.
class FileView {
 public:
  explicit FileView(const std::wstring& path)
      : file_(CreateFileW(win32::extended_length_path(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    LARGE_INTEGER size{};
    if (!file_ || !GetFileSizeEx(file_.get(), &size)) return;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    opened_ = true;
  }

  bool opened() const { return opened_; }
  std::uint64_t size() const { return size_; }

  // False when the file cannot be mapped (too large for the address space).
  bool map() {
    if (size_ == 0) return true;
    if (size_ > SIZE_MAX) return false;
    mapping_.reset(CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping_) return false;
    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    return static_cast<bool>(view_);
  }
  std::span<const unsigned char> bytes() const {
    return {static_cast<const unsigned char*>(view_.get()), view_ ? static_cast<std::size_t>(size_) : 0};
  }

 private:
  win32::UniqueKernelHandle file_;
  win32::UniqueKernelHandle mapping_;
  win32::UniqueMappedView view_;  // declared last: unmapped before the mapping and the file close
  std::uint64_t size_ = 0;
  bool opened_ = false;
};

// Hands one pending message on, so the thread keeps answering while a large dictionary loads.
// With nothing pending it only gives up its time slice: Sleep(1) would wait for the system
// timer (up to 15.6 ms), turning a few hundred thousand records into seconds at start-up.
void yield_to_messages(HWND dialog) {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    Sleep(0);
    return;
  }
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));
    return;
  }
  if (!IsDialogMessageW(dialog, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

accents::AccentDictionary load_dictionary_file(HWND dialog, const std::wstring& path) {
  accents::DictionaryLoad load;
  {
    FileView file(path);
    if (!file.opened()) return {};
    if (file.size() % accents::record_size != 0) {
      load.format_error = true;
    } else {
      if (!file.map()) return {};
      try {
        load = accents::load_accent_dictionary(file.bytes(), [dialog] { yield_to_messages(dialog); });
      } catch (const std::bad_alloc&) {
        return {};
      } catch (const std::length_error&) {
        return {};
      }
    }
  }
  // The file is closed before the box opens: nothing holds it while the user reads the message.
  if (load.format_error) show_report("Fichero con formato Erroneo ..\r\ndiccionario.log", MB_OK | MB_TOPMOST);
  return std::move(load.dictionary);
}

std::wstring dictionary_path() {
  const std::wstring folder = win32::executable_folder();
  if (folder.empty()) return {};
  return folder + dictionary_file_name;
}

}  // namespace app
