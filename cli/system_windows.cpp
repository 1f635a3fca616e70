#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32/file_paths.h"
#include "cli/system.h"
#include "cli/tildario.h"

namespace cli {

UniqueFile open_for_reading(const std::filesystem::path& path) {
  return UniqueFile(_wfopen(win32::extended_length_path(path.wstring()).c_str(), L"rb"));
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
