#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Running a console program as a user's shell would, for the tests: arguments, bytes on its
// standard input, and its standard output, standard error and exit status back. One
// implementation per system (run_program_posix.cpp, run_program_windows.cpp).

namespace cli_test {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// `arguments` in UTF-8. Waits for the program to end.
RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::string_view input = {});

// A folder of its own under the temporary folder, removed with everything in it when it goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to the file `name` (UTF-8) in the folder; returns its full path.
  std::filesystem::path write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);

// A file name given in UTF-8.
inline std::filesystem::path utf8_path(std::string_view name) {
  return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

inline std::string utf8_name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace cli_test
