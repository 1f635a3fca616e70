#include "app/clipboard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "text/case_conversion.h"

// Runs against the real clipboard of the Wine session the tests run in.

namespace {

using app::ClipboardWrite;

struct Format {
  UINT id;
  std::string bytes;
};

Format unicode(std::u16string_view units) {
  std::string bytes(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(char16_t));
  return {CF_UNICODETEXT, bytes + std::string(2, '\0')};
}

UINT html_format() { return RegisterClipboardFormatW(L"HTML Format"); }

bool open_clipboard(HWND window) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(window)) return true;
    Sleep(10);
  }
  return false;
}

HWND make_window() {
  return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = make_window();
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  // Empties the clipboard and puts these formats on it.
  void put(const std::vector<Format>& formats) {
    ASSERT_TRUE(open_clipboard(window_));
    EmptyClipboard();
    for (const Format& f : formats) {
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, f.bytes.size());
      std::memcpy(GlobalLock(block), f.bytes.data(), f.bytes.size());
      GlobalUnlock(block);
      EXPECT_NE(SetClipboardData(f.id, block), nullptr);
    }
    CloseClipboard();
  }

  // The clipboard's Unicode text as it is, read without the code under test.
  std::u16string units() {
    std::u16string out;
    EXPECT_TRUE(open_clipboard(window_));
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      out = static_cast<const char16_t*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return out;
  }

  HWND window_ = nullptr;
};

std::string upper(std::string_view t) { return text::to_upper_case(t); }
std::string lower(std::string_view t) { return text::to_lower_case(t); }
std::string mixed(std::string_view t) { return text::to_mixed_case(t); }

TEST_F(Clipboard, CaseRewritesRoundTripAndKeepForeignCharacters) {
  const struct {
    std::u16string before;
    std::string (*rewrite)(std::string_view);
    std::u16string after;
    ClipboardWrite result;
  } cases[] = {
      {u"hola MUNDO 123", upper, u"HOLA MUNDO 123", ClipboardWrite::written},
      {u"acción NIÑO Über €5 — «sí»", lower, u"acción niño über €5 — «sí»", ClipboardWrite::written},
      {u"emoji 😀 → café 中文 Ωmega", upper, u"EMOJI 😀 → CAFÉ 中文 ΩMEGA", ClipboardWrite::written},
      {u"emoji 😀 → café 中文 Ωmega", mixed, u"Emoji 😀 → Café 中文 Ωmega", ClipboardWrite::written},
      // The look-alikes "O" and "a" are themselves rewritten: the rewrite wins.
      {u"emoji 😀 → café 中文 Ωmega", lower, u"emoji 😀 → café 中文 omega", ClipboardWrite::written},
      {u"α b", upper, u"A B", ClipboardWrite::written},
      {u"привет мир 123", upper, u"привет мир 123", ClipboardWrite::unchanged},
      {u"uno\r\ndos\ttres", mixed, u"Uno\r\nDos\tTres", ClipboardWrite::written},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.before));
    put({unicode(c.before)});
    const auto read = app::read_clipboard_text(window_);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(app::write_clipboard_text(window_, *read, c.rewrite(read->text)), c.result);
    EXPECT_EQ(units(), c.after);
  }
}

TEST_F(Clipboard, ReadGivesTheCodePageTextAndNothingWithoutText) {
  put({unicode(u"emoji 😀 → café 中文 Ωmega")});
  auto read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "emoji ?? ? caf\xE9 ?? Omega");
  EXPECT_EQ(read->foreign.size(), 5u);

  // A zero unit ends the text.
  put({{CF_UNICODETEXT, std::string("a\0b\0\0\0c\0\0\0", 10)}});
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "ab");

  put({unicode(u"")});
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "");

  // 8-bit text placed by another program reaches the reader as Unicode text.
  put({{CF_TEXT, std::string("caf\xE9", 5)}});
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "caf\xE9");

  put({});
  EXPECT_FALSE(app::read_clipboard_text(window_).has_value());

  put({{html_format(), std::string("<b>hola</b>", 12)}});
  EXPECT_FALSE(app::read_clipboard_text(window_).has_value());
}

TEST_F(Clipboard, WriteReplacesEveryFormatUnlessNothingChanged) {
  const Format html{html_format(), std::string("Version:0.9\r\n<b>hola</b>", 25)};

  put({unicode(u"hola"), html});
  auto read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(app::write_clipboard_text(window_, *read, "HOLA"), ClipboardWrite::written);
  EXPECT_EQ(units(), u"HOLA");
  EXPECT_FALSE(IsClipboardFormatAvailable(html.id));

  put({unicode(u"HOLA"), html});
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  const DWORD sequence = GetClipboardSequenceNumber();
  EXPECT_EQ(app::write_clipboard_text(window_, *read, upper(read->text)), ClipboardWrite::unchanged);
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  EXPECT_TRUE(IsClipboardFormatAvailable(html.id));
  EXPECT_EQ(units(), u"HOLA");

  // A rewrite to the empty text is an empty Unicode text.
  EXPECT_EQ(app::write_clipboard_text(window_, *read, ""), ClipboardWrite::written);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(units(), u"");
}

// Another thread (standing in for another program) holds the clipboard open for `hold_ms`.
class Holder {
 public:
  explicit Holder(DWORD hold_ms) : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, hold_ms] {
      HWND window = make_window();
      const bool held = open_clipboard(window);
      SetEvent(opened_);
      if (held) {
        Sleep(hold_ms);
        CloseClipboard();
      }
      DestroyWindow(window);
    });
    WaitForSingleObject(opened_, 5000);
  }
  ~Holder() {
    thread_.join();
    CloseHandle(opened_);
  }

 private:
  HANDLE opened_;
  std::thread thread_;
};

TEST_F(Clipboard, BusyClipboardIsRetriedBriefly) {
  put({unicode(u"hola")});
  text::ClipboardText read;
  {
    const Holder holder(50);
    const auto result = app::read_clipboard_text(window_);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->text, "hola");
    read = *result;
  }
  {
    const Holder holder(50);
    EXPECT_EQ(app::write_clipboard_text(window_, read, "HOLA"), ClipboardWrite::written);
  }
  EXPECT_EQ(units(), u"HOLA");

  // Held for longer than the retries last: the reader finds nothing and the writer writes nothing.
  read.text = "HOLA";
  {
    const Holder holder(1000);
    EXPECT_FALSE(app::read_clipboard_text(window_).has_value());
    EXPECT_EQ(app::write_clipboard_text(window_, read, "hola"), ClipboardWrite::failed);
  }
  EXPECT_EQ(units(), u"HOLA");
}

}  // namespace
