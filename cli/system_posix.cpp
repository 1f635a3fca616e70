#include <system_error>
#include <vector>

#include "cli/system.h"
#include "cli/tildario.h"

namespace cli {

std::FILE* open_for_reading(const std::filesystem::path& path) { return std::fopen(path.c_str(), "rb"); }

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
