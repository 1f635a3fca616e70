#include "tests/support/scratch_folder.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "win32/handles.h"
#endif

#include <fstream>
#include <iterator>

namespace test_support {

namespace {

std::filesystem::path unique_temporary_path(std::string_view name) {
  static std::atomic<unsigned> counter{0};
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  return std::filesystem::temp_directory_path() /
         utf8_path(std::string(name) + "-" + std::to_string(now) + "-" + std::to_string(++counter));
}

[[noreturn]] void refused(const char* what, const std::filesystem::path& path) {
  throw std::runtime_error(std::string("cannot ") + what + " " + utf8_name(path));
}

#ifdef _WIN32

// "\\?\" + path: the form the file calls take beyond MAX_PATH.
std::wstring extended(const std::filesystem::path& path) { return L"\\\\?\\" + path.wstring(); }

bool make_one_folder(const std::filesystem::path& path) { return CreateDirectoryW(extended(path).c_str(), nullptr); }

bool make_folders(const std::filesystem::path& path) {
  if (GetFileAttributesW(extended(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return make_folders(path.parent_path()) && make_one_folder(path);
}

bool write_bytes(const std::filesystem::path& path, std::string_view bytes) {
  const win32::UniqueKernelHandle file(
      CreateFileW(extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

void remove_tree(const std::filesystem::path& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(extended(folder / L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::filesystem::path path = folder / name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_tree(path);
      } else {
        // The image of a process that just ended can stay locked for a moment.
        for (int tries = 0; !DeleteFileW(extended(path).c_str()) && tries < 100; ++tries) Sleep(20);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(extended(folder).c_str());
}

#else

bool make_one_folder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::create_directory(path, error);
}

bool make_folders(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return !error;
}

bool write_bytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

void remove_tree(const std::filesystem::path& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

#endif

}  // namespace

ScratchFolder::ScratchFolder(std::string_view name) : path_(unique_temporary_path(name)) {
  if (!make_one_folder(path_)) refused("make the folder", path_);
}

ScratchFolder::~ScratchFolder() { remove_tree(path_); }

std::filesystem::path ScratchFolder::make_folder(const std::filesystem::path& path) const {
  const std::filesystem::path full = (path_ / path).make_preferred();
  if (!make_folders(full)) refused("make the folder", full);
  return full;
}

std::filesystem::path ScratchFolder::write(const std::filesystem::path& path, std::string_view bytes) const {
  const std::filesystem::path full = (path_ / path).make_preferred();
  if (!write_bytes(full, bytes)) refused("write", full);
  return full;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace test_support
