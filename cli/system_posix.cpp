#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>
#include <vector>

#include "cli/system.h"
#include "cli/tildario.h"

namespace cli {

UniqueFile open_for_reading(const std::filesystem::path& path) { return UniqueFile(std::fopen(path.c_str(), "rb")); }

std::optional<MappedFile> map_file(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  const auto size = static_cast<std::size_t>(status.st_size);
  if (size == 0) {
    close(fd);
    return MappedFile{};
  }
  void* start = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  close(fd);  // the mapping keeps the file
  if (start == MAP_FAILED) return std::nullopt;
  std::shared_ptr<const void> keeper(start, [size](const void* p) { munmap(const_cast<void*>(p), size); });
  return MappedFile{{static_cast<const unsigned char*>(start), size}, std::move(keeper)};
}

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
