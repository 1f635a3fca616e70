#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// A folder of its own under the temporary folder, and everything made in it through this
// object, removed again when it goes. Paths may pass MAX_PATH.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::wstring_view name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::wstring& path() const { return path_; }
  // Full paths; both return `path` and fail the current test when the file system refuses.
  std::wstring make_folder(const std::wstring& path);
  std::wstring write_file(const std::wstring& path, std::string_view bytes = {});

 private:
  std::wstring path_;
  std::vector<std::wstring> made_;  // in the order made
};

// "\\?\" + path: the form the file calls take beyond MAX_PATH.
std::wstring extended(const std::wstring& path);

}  // namespace desktop
