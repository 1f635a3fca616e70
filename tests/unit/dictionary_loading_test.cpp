#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "accents/dictionary_file.h"
#include "accents/dictionary_index.h"
#include "accents/dictionary_loader.h"
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
  // An index beside the dictionary file that holds `words` but names the file now at path_:
  // its answers show whether it was used.
  void write_index_of(const std::vector<std::string>& words) {
    const auto bytes = [](const std::string& s) {
      return std::span(reinterpret_cast<const unsigned char*>(s.data()), s.size());
    };
    const std::string file = records_of(current_words_);
    const std::string other = records_of(words);
    const auto index = accents::make_dictionary_index(accents::load_accent_dictionary(bytes(other)).dictionary,
                                                      accents::fingerprint_of(bytes(file)));
    scratch_.write(index_path_, std::string(index.begin(), index.end()));
  }
  void write_current(const std::vector<std::string>& words) {
    current_words_ = words;
    write_records(words);
  }

  test_support::ScratchFolder scratch_{"tildario-dictionary"};
  const std::wstring path_ = scratch_.path().wstring() + L"\\diccionario.log";
  const std::wstring index_path_ = scratch_.path().wstring() + L"\\diccionario.idx";
  std::vector<std::string> current_words_;
};

TEST_F(DictionaryLoading, TheIndexAnswersOnlyForTheFileItWasMadeFrom) {
  write_current({"cami\xF3n", "m\xE1s"});
  write_index_of({"\xE1rea", "c\xF3mo"});
  {
    const auto d = app::load_dictionary_file(nullptr, path_);
    EXPECT_TRUE(d.contains("\xE1rea"));
    EXPECT_FALSE(d.contains("cami\xF3n"));
  }

  // The same length and other bytes, as when a user puts their own dictionary in its place.
  write_current({"cami\xF3n", "m\xE1z"});
  ASSERT_NE(GetFileAttributesW(index_path_.c_str()), INVALID_FILE_ATTRIBUTES);
  const auto d = app::load_dictionary_file(nullptr, path_);
  EXPECT_TRUE(d.contains("m\xE1z"));
  EXPECT_FALSE(d.contains("\xE1rea"));

  // A damaged index is passed over.
  scratch_.write(index_path_, records_of({"\xE1rea"}));
  EXPECT_TRUE(app::load_dictionary_file(nullptr, path_).contains("m\xE1z"));
}

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

  // Reading the records, or hashing them when the index beside them was made from them.
  write_current(std::vector<std::string>(256 * 3 + 10, "a"));
  for (const bool indexed : {false, true}) {
    SCOPED_TRACE(indexed);
    if (indexed) write_index_of(current_words_);
    handled = 0;
    for (int i = 0; i < 5; ++i) PostMessageW(window, WM_APP, 0, 0);
    const auto d = app::load_dictionary_file(window, path_);
    EXPECT_EQ(d.entry_count(), 256u * 3 + 10);
    EXPECT_EQ(handled, 3);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  DestroyWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace
