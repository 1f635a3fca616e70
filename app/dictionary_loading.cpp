#include "app/dictionary_loading.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string_view>
#include <stdexcept>
#include <utility>

#include "accents/dictionary_file.h"
#include "accents/dictionary_index.h"
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
  HANDLE handle() const { return file_.get(); }
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

// The ready index at `index_path`, mapped for as long as the dictionary made over it lives; none
// when it is missing or records another dictionary length than `dictionary_size`.
struct IndexView {
  win32::UniqueKernelHandle file;  // read again, a piece at a time, to check it
  std::span<const unsigned char> bytes;
  std::shared_ptr<const void> keeper;
  accents::DictionaryFingerprint recorded;
};
std::optional<IndexView> map_index(const std::wstring& index_path, std::uint64_t dictionary_size) {
  win32::UniqueKernelHandle file(CreateFileW(win32::extended_length_path(index_path).c_str(), GENERIC_READ,
                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart == 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX)
    return std::nullopt;
  const win32::UniqueKernelHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return std::nullopt;
  // The view keeps the mapping and the file open after their handles close.
  const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
  if (!view) return std::nullopt;
  IndexView index{std::move(file),
                  {static_cast<const unsigned char*>(view), static_cast<std::size_t>(size.QuadPart)},
                  std::shared_ptr<const void>(view, [](const void* p) { UnmapViewOfFile(p); }),
                  {}};
  const auto recorded = accents::recorded_fingerprint(index.bytes);
  if (!recorded || recorded->size != dictionary_size) return std::nullopt;
  index.recorded = *recorded;
  return index;
}

// The dictionary from the ready index beside the dictionary file, when the index was made from
// this very file: its bytes are read and hashed (handing on one pending message every 256
// records' worth, as loading the records does) and compared with what the index records.
std::optional<accents::AccentDictionary> indexed_dictionary(HWND dialog, HANDLE file, std::uint64_t file_size,
                                                            const std::wstring& index_path) {
  std::optional<IndexView> index = map_index(index_path, file_size);
  if (!index) return std::nullopt;
  constexpr std::size_t slice = 256 * accents::record_size;
  constexpr DWORD piece_size = 40 * slice;  // stays in the cache while it is hashed
  const auto piece = std::make_unique_for_overwrite<unsigned char[]>(piece_size);
  accents::FingerprintMaker fingerprint;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, piece.get(), piece_size, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    for (DWORD at = 0; at < got; at += slice) {
      const std::size_t size = std::min<std::size_t>(slice, got - at);
      fingerprint.add(std::span(piece.get() + at, size));
      if (size == slice) yield_to_messages(dialog);
    }
  }
  // The index read as well, not only mapped: checked in pieces that stay in the cache, its mapped
  // pages are touched only where lookups need them. A few milliseconds: no pause for messages.
  accents::IndexCheck check(index->bytes);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(index->file.get(), piece.get(), piece_size, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    check.add(std::span(piece.get(), got));
  }
  return check.open(fingerprint.finish(), std::move(index->keeper));
}

std::wstring index_path_for(const std::wstring& dictionary_path) {
  const std::size_t dot = dictionary_path.find_last_of(L'.');
  const std::size_t slash = dictionary_path.find_last_of(L"\\/");
  const std::wstring stem = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)
                                ? dictionary_path.substr(0, dot)
                                : dictionary_path;
  const std::string_view extension = accents::index_extension;
  return stem + std::wstring(extension.begin(), extension.end());
}

}  // namespace

accents::AccentDictionary load_dictionary_file(HWND dialog, const std::wstring& path) {
  accents::DictionaryLoad load;
  {
    FileView file(path);
    if (!file.opened()) return {};
    if (file.size() % accents::record_size != 0) {
      load.format_error = true;
    } else if (file.size() > 0) {
      try {
        if (auto indexed = indexed_dictionary(dialog, file.handle(), file.size(), index_path_for(path)))
          return std::move(*indexed);
      } catch (const std::bad_alloc&) {
        return {};
      }
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
