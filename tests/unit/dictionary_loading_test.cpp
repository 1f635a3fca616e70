#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "accents/dictionary_file.h"
#include "app/dictionary_loading.h"
#include "tests/support/scratch_folder.h"

namespace {

// The file side of the loader, in-process. (The format error box is modal, so it is proven
// end to end instead.) Every case here must return without showing anything.
std::string records_of(const std::vector<std::string>& words) {
  std::string bytes;
  for (const auto& w : words) {
    const auto record = accents::encode_record(w);
    EXPECT_TRUE(record);
    if (record) bytes.append(reinterpret_cast<const char*>(record->data()), record->size());
  }
  return bytes;
}

// The file side of the loader, in-process. (The format error box is modal, so it is proven
// end to end instead.) Every case here must return without showing anything.
class DictionaryLoading : public testing::Test {
 protected:
  void write_records(const std::vector<std::string>& words) { scratch_.write(path_, records_of(words)); }

  test_support::ScratchFolder scratch_{"tildario-dictionary"};
  const std::wstring path_ = scratch_.path().wstring() + L"\\diccionario.log";
};

TEST_F(DictionaryLoading, ReadsTheRecords) {
  write_records({"cami\xF3n", " CASA ", "\xC1rea"});
  const auto d = app::load_dictionary_file(nullptr, path_);
  EXPECT_EQ(d.entry_count(), 3u);
  EXPECT_TRUE(d.contains("cami\xF3n"));
  EXPECT_TRUE(d.contains("casa"));
  EXPECT_TRUE(d.contains("\xE1rea"));
  // Closed afterwards: the file can be deleted at once.
  EXPECT_TRUE(DeleteFileW(path_.c_str()));
}

TEST_F(DictionaryLoading, ReadsFromAFolderPastMaxPath) {
  std::wstring folder = scratch_.path().wstring();
  while (folder.size() < 300) folder = scratch_.make_folder(folder + L"\\carpeta con nombre largo \x00F1").wstring();
  const std::wstring path = scratch_.write(folder + L"\\diccionario.log", records_of({"cami\xF3n"})).wstring();
  ASSERT_GT(path.size(), static_cast<std::size_t>(MAX_PATH));
  EXPECT_TRUE(app::load_dictionary_file(nullptr, path).contains("cami\xF3n"));
}

TEST_F(DictionaryLoading, UnreadableFilesGiveAnEmptyDictionarySilently) {
  EXPECT_TRUE(app::load_dictionary_file(nullptr, path_).empty());  // missing

  write_records({});
  EXPECT_TRUE(app::load_dictionary_file(nullptr, path_).empty());  // 0 bytes

  write_records({"cami\xF3n"});
  HANDLE held = CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(app::load_dictionary_file(nullptr, path_).empty());  // held by another program
  CloseHandle(held);
  EXPECT_FALSE(app::load_dictionary_file(nullptr, path_).empty());

  ASSERT_TRUE(DeleteFileW(path_.c_str()));
  ASSERT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
  EXPECT_TRUE(app::load_dictionary_file(nullptr, path_).empty());  // a folder of that name
}

LRESULT CALLBACK counting_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(DictionaryLoading, HandlesOnePendingMessageEvery256Records) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = counting_procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"TildarioLoadingTest";
  RegisterClassW(&window_class);
  HWND window = CreateWindowW(window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  int handled = 0;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));

  write_records(std::vector<std::string>(256 * 3 + 10, "a"));
  for (int i = 0; i < 5; ++i) PostMessageW(window, WM_APP, 0, 0);
  const auto d = app::load_dictionary_file(window, path_);
  EXPECT_EQ(d.entry_count(), 256u * 3 + 10);
  EXPECT_EQ(handled, 3);

  DestroyWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace
