#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/file_paths.h"

namespace {

std::wstring extended(const std::wstring& path) { return L"\\\\?\\" + path; }

class FilePaths : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    ASSERT_GT(length, 0u);
    root_ = std::wstring(temp, length) + L"tildario-paths-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
  }
  void TearDown() override {
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) DeleteFileW(extended(*it).c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) {
      RemoveDirectoryW(extended(*it).c_str());
    }
    RemoveDirectoryW(root_.c_str());
  }
  std::wstring make_folder(const std::wstring& path) {
    EXPECT_TRUE(CreateDirectoryW(extended(path).c_str(), nullptr)) << GetLastError();
    folders_.push_back(path);
    return path;
  }
  std::wstring make_file(const std::wstring& path) {
    HANDLE file = CreateFileW(extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
    CloseHandle(file);
    files_.push_back(path);
    return path;
  }

  std::wstring root_;
  std::vector<std::wstring> folders_;
  std::vector<std::wstring> files_;
};

TEST_F(FilePaths, FileExistsForFilesAndFoldersOnly) {
  const std::wstring file = make_file(root_ + L"\\diccionario.log");
  EXPECT_TRUE(app::file_exists(file));
  EXPECT_TRUE(app::file_exists(root_));
  EXPECT_FALSE(app::file_exists(root_ + L"\\missing.log"));
  EXPECT_FALSE(app::file_exists(root_ + L"\\missing\\diccionario.log"));
  EXPECT_FALSE(app::file_exists(L""));
}

TEST_F(FilePaths, FileExistsInFoldersTheCodePageCannotSpellAndPastMaxPath) {
  // Greek, Japanese, an emoji (a surrogate pair), then nesting until the path passes MAX_PATH.
  std::wstring folder = make_folder(root_ + L"\\\x03A9\x03BC\x03AD\x03B3\x03B1 \x65E5\x672C \U0001F600");
  const std::wstring short_file = make_file(folder + L"\\diccionario.log");
  EXPECT_TRUE(app::file_exists(short_file));
  while (folder.size() < 300) folder = make_folder(folder + L"\\carpeta con nombre largo");
  const std::wstring long_file = make_file(folder + L"\\diccionario.log");
  ASSERT_GT(long_file.size(), static_cast<std::size_t>(MAX_PATH));
  EXPECT_TRUE(app::file_exists(long_file));
  EXPECT_TRUE(app::file_exists(folder));
  EXPECT_FALSE(app::file_exists(folder + L"\\otro.log"));
}

TEST(ExecutablePaths, DictionaryLiesBesideTheExecutable) {
  const std::wstring exe = app::executable_path();
  const std::wstring folder = app::executable_folder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(exe.substr(0, folder.size()), folder);
  EXPECT_EQ(exe.find(L'\\', folder.size()), std::wstring::npos);
  EXPECT_TRUE(app::file_exists(exe));
  EXPECT_EQ(app::dictionary_path(), folder + L"diccionario.log");
}

}  // namespace
