#include <sys/mman.h>

#include <cstdint>
#include <system_error>
#include <vector>

#include "cli/system.h"
#include "cli/tildario.h"

namespace cli {

UniqueFile open_for_reading(const std::filesystem::path& path) { return UniqueFile(std::fopen(path.c_str(), "rb")); }

void expect_large_fill(void* start, std::size_t size) {
#if defined(MADV_HUGEPAGE)
  // Whole large pages inside the range only: the advice applies to the pages it covers.
  constexpr std::uintptr_t large_page = 2 << 20;
  const auto first = (reinterpret_cast<std::uintptr_t>(start) + large_page - 1) & ~(large_page - 1);
  const auto last = (reinterpret_cast<std::uintptr_t>(start) + size) & ~(large_page - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)start;
  (void)size;
#endif
}

std::filesystem::path executable_path() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}

}  // namespace cli

int main(int argc, char** argv) {
  const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
  return cli::run(arguments);
}
