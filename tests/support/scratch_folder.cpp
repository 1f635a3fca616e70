#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include "win32/handles.h"

namespace desktop {

std::wstring extended(const std::wstring& path) { return L"\\\\?\\" + path; }

ScratchFolder::ScratchFolder(std::wstring_view name) {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  EXPECT_GT(length, 0u);
  path_ = std::wstring(temp, length) + std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId());
  EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr)) << GetLastError();
}

ScratchFolder::~ScratchFolder() {
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
    const std::wstring path = extended(*it);
    if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
  }
  RemoveDirectoryW(path_.c_str());
}

std::wstring ScratchFolder::make_folder(const std::wstring& path) {
  EXPECT_TRUE(CreateDirectoryW(extended(path).c_str(), nullptr)) << GetLastError();
  made_.push_back(path);
  return path;
}

std::wstring ScratchFolder::write_file(const std::wstring& path, std::string_view bytes) {
  const win32::UniqueKernelHandle file(
      CreateFileW(extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(file) << GetLastError();
  DWORD written = 0;
  EXPECT_TRUE(file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  EXPECT_EQ(written, bytes.size());
  made_.push_back(path);
  return path;
}

}  // namespace desktop
