#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
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

namespace {

// Memory written for the first time costs a fault for each 4 kB page, and on a virtual machine a
// fault is dear (4 to 15 µs): a run on a few megabytes of text spent a tenth of its time
// faulting in the blocks of text, their UTF-8, the output held back and the table of answers.
// So the heap keeps large blocks rather than mapping each on its own, grows 32 MB at a time,
// and its first 32 MB, from a 2 MB boundary on, are advised to use 2 MB pages: one fault for
// each. Only what is written takes memory.
void heap_in_large_pages() {
  constexpr std::size_t stretch = 32 << 20;
  constexpr std::uintptr_t large_page = 2 << 20;
  mallopt(M_MMAP_THRESHOLD, 48 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, stretch);
  void* const room = std::malloc(stretch);
  if (!room) return;
  cli::expect_large_fill(room, stretch);
  // The blocks that come after one reaching to the first 2 MB boundary lie in large pages. That
  // one is never written, so it takes no memory.
  const auto at = reinterpret_cast<std::uintptr_t>(room);
  const std::uintptr_t boundary = (at + large_page - 1) & ~(large_page - 1);
  std::free(room);
  [[maybe_unused]] static void* before_boundary = nullptr;
  if (boundary - at > 64) before_boundary = std::malloc(boundary - at - 64);
}

}  // namespace

int main(int argc, char** argv) {
  heap_in_large_pages();
  const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
  return cli::run(arguments);
}
