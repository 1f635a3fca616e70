// The memory the tray's dictionary takes: the process's private committed bytes (the pages of
// mapped files are not counted) before and after loading the dictionary as
// the tray loads it. With the ready index beside the file the tables stay in the mapped index;
// without it they are built in the process's own memory. Prints the difference in MB.
//
//   wine build/win64/app/dictionary_memory.exe [FILE]     (default: diccionario.log beside it)
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/dictionary_loading.h"

namespace {

// The bytes committed in the process's own memory: every region that is committed and private,
// neither a mapped file nor an executable image. (Wine's GetProcessMemoryInfo gives no private
// bytes, so the address space is walked.)
double private_bytes() {
  double total = 0;
  const char* at = nullptr;
  MEMORY_BASIC_INFORMATION region{};
  while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<double>(region.RegionSize);
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring path = argc > 1 ? argv[1] : app::dictionary_path();
  const double before = private_bytes();
  const accents::AccentDictionary dictionary = app::load_dictionary_file(nullptr, path);
  const double after = private_bytes();
  if (dictionary.empty()) {
    std::fprintf(stderr, "dictionary_memory: no dictionary in %ls\n", path.c_str());
    return 1;
  }
  std::printf("%zu entries: %.1f MB private (%.1f to %.1f)\n", dictionary.entry_count(), (after - before) / 1e6,
              before / 1e6, after / 1e6);
  return 0;
}
