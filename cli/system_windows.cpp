#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32/file_paths.h"
#include "win32/handles.h"
#include "cli/system.h"
#include "cli/tildario.h"

namespace cli {

UniqueFile open_for_reading(const std::filesystem::path& path) {
  return UniqueFile(_wfopen(win32::extended_length_path(path.wstring()).c_str(), L"rb"));
}

std::optional<MappedFile> map_file(const std::filesystem::path& path) {
  const win32::UniqueKernelHandle file(CreateFileW(win32::extended_length_path(path.wstring()).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  if (size.QuadPart == 0) return MappedFile{};
  if (static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX) return std::nullopt;
  const win32::UniqueKernelHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return std::nullopt;
  // The view keeps the file and the mapping: both handles close here.
  const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
  if (!view) return std::nullopt;
  std::shared_ptr<const void> keeper(view, [](const void* p) { UnmapViewOfFile(p); });
  return MappedFile{{static_cast<const unsigned char*>(view), static_cast<std::size_t>(size.QuadPart)},
                    std::move(keeper)};
}

std::filesystem::path executable_path() { return win32::executable_path(); }

void expect_large_fill(void*, std::size_t) {}

}  // namespace cli

// wmain: file names arrive as typed, whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
  // Bytes in and out exactly as they are: no CR LF translation, no end of text at a 0x1A byte.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
  return cli::run(arguments);
}
