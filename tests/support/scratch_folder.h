#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace test_support {

// A folder of its own under the temporary folder, removed with everything in it when it goes.
// Paths in it may pass MAX_PATH on Windows: the folder's calls take the extended-length form.
class ScratchFolder {
 public:
  // `name` in UTF-8; the folder's own name adds a number that no other scratch folder has.
  explicit ScratchFolder(std::string_view name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // `path` relative to the folder, or a full path inside it; both return the full path and
  // throw std::runtime_error when the file system refuses. make_folder makes every missing
  // folder on the way.
  std::filesystem::path make_folder(const std::filesystem::path& path) const;
  std::filesystem::path write(const std::filesystem::path& path, std::string_view bytes = {}) const;

 private:
  std::filesystem::path path_;
};

// The whole file, or nothing when it cannot be read.
std::string read_file(const std::filesystem::path& path);

// A file or folder name given in UTF-8, and back.
inline std::filesystem::path utf8_path(std::string_view name) {
  return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

inline std::string utf8_name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace test_support
