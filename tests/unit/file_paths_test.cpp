#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/dictionary_loading.h"
#include "win32/file_paths.h"
#include "tests/support/scratch_folder.h"

namespace {

class FilePaths : public testing::Test {
 protected:
  test_support::ScratchFolder scratch_{"tildario-paths"};
  const std::wstring root_ = scratch_.path().wstring();
};

TEST_F(FilePaths, FileExistsForFilesAndFoldersOnly) {
  const std::wstring file = scratch_.write(root_ + L"\\diccionario.log").wstring();
  EXPECT_TRUE(win32::file_exists(file));
  EXPECT_TRUE(win32::file_exists(root_));
  EXPECT_FALSE(win32::file_exists(root_ + L"\\missing.log"));
  EXPECT_FALSE(win32::file_exists(root_ + L"\\missing\\diccionario.log"));
  EXPECT_FALSE(win32::file_exists(L""));
}

TEST_F(FilePaths, FileExistsInFoldersTheCodePageCannotSpellAndPastMaxPath) {
  // Greek, Japanese, an emoji (a surrogate pair), then nesting until the path passes MAX_PATH.
  std::wstring folder =
      scratch_.make_folder(root_ + L"\\\x03A9\x03BC\x03AD\x03B3\x03B1 \x65E5\x672C \U0001F600").wstring();
  const std::wstring short_file = scratch_.write(folder + L"\\diccionario.log").wstring();
  EXPECT_TRUE(win32::file_exists(short_file));
  while (folder.size() < 300) folder = scratch_.make_folder(folder + L"\\carpeta con nombre largo").wstring();
  const std::wstring long_file = scratch_.write(folder + L"\\diccionario.log").wstring();
  ASSERT_GT(long_file.size(), static_cast<std::size_t>(MAX_PATH));
  EXPECT_TRUE(win32::file_exists(long_file));
  EXPECT_TRUE(win32::file_exists(folder));
  EXPECT_FALSE(win32::file_exists(folder + L"\\otro.log"));
}

TEST(ExecutablePaths, DictionaryLiesBesideTheExecutable) {
  const std::wstring exe = win32::executable_path();
  const std::wstring folder = win32::executable_folder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(exe.substr(0, folder.size()), folder);
  EXPECT_EQ(exe.find(L'\\', folder.size()), std::wstring::npos);
  EXPECT_TRUE(win32::file_exists(exe));
  EXPECT_EQ(app::dictionary_path(), folder + L"diccionario.log");
}

}  // namespace
