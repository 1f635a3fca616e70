#include "app/clipboard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/desktop.h"
#include "text/case_conversion.h"

// Runs against the real clipboard of the Wine session the tests run in.

namespace {

using app::ClipboardWrite;

desktop::ClipboardData unicode(std::wstring_view text) {
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return {CF_UNICODETEXT, bytes + std::string(2, '\0')};
}

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  HWND window_ = nullptr;
};

TEST_F(Clipboard, CaseRewritesRoundTripAndKeepForeignCharacters) {
  const struct {
    std::wstring before;
    text::CaseChange change;
    std::wstring after;
  } cases[] = {
      {L"hola MUNDO 123", text::CaseChange::upper, L"HOLA MUNDO 123"},
      {L"acción NIÑO Über €5 — «sí»", text::CaseChange::lower, L"acción niño über €5 — «sí»"},
      {L"emoji 😀 → café 中文 Ωmega", text::CaseChange::upper, L"EMOJI 😀 → CAFÉ 中文 ΩMEGA"},
      {L"emoji 😀 → café 中文 Ωmega", text::CaseChange::lower, L"emoji 😀 → café 中文 ωmega"},
      {L"привет мир 123", text::CaseChange::upper, L"ПРИВЕТ МИР 123"},
      {L"uno\r\ndos\ttres", text::CaseChange::mixed, L"Uno\r\nDos\tTres"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.before));
    ASSERT_TRUE(desktop::set_clipboard({unicode(c.before)}));
    auto read = app::read_clipboard_text(window_);
    ASSERT_TRUE(read.has_value());
    ASSERT_TRUE(text::change_case(*read, c.change));
    EXPECT_EQ(app::write_clipboard_text(window_, *read), ClipboardWrite::written);
    EXPECT_EQ(desktop::clipboard_text(), c.after);
  }
}

TEST_F(Clipboard, ReadGivesTheCodePageTextAndNothingWithoutText) {
  ASSERT_TRUE(desktop::set_clipboard({unicode(L"emoji 😀 → café 中文 Ωmega")}));
  auto read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "emoji ?? ? caf\xE9 ?? Omega");
  EXPECT_EQ(read->foreign.size(), 4u);

  // A zero unit ends the text.
  ASSERT_TRUE(desktop::set_clipboard({{CF_UNICODETEXT, std::string("a\0b\0\0\0c\0\0\0", 10)}}));
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "ab");

  ASSERT_TRUE(desktop::set_clipboard({unicode(L"")}));
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "");

  // 8-bit text placed by another program reaches the reader as Unicode text.
  ASSERT_TRUE(desktop::set_clipboard({{CF_TEXT, std::string("caf\xE9", 5)}}));
  read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->text, "caf\xE9");

  ASSERT_TRUE(desktop::set_clipboard({}));
  EXPECT_FALSE(app::read_clipboard_text(window_).has_value());

  ASSERT_TRUE(desktop::set_clipboard({{desktop::html_format(), std::string("<b>hola</b>", 12)}}));
  EXPECT_FALSE(app::read_clipboard_text(window_).has_value());
}

TEST_F(Clipboard, WriteReplacesEveryFormat) {
  const desktop::ClipboardData html{desktop::html_format(), std::string("Version:0.9\r\n<b>hola</b>", 25)};
  ASSERT_TRUE(desktop::set_clipboard({unicode(L"hola"), html}));
  auto read = app::read_clipboard_text(window_);
  ASSERT_TRUE(read.has_value());
  text::change_case(*read, text::CaseChange::upper);
  EXPECT_EQ(app::write_clipboard_text(window_, *read), ClipboardWrite::written);
  EXPECT_EQ(desktop::clipboard_text(), L"HOLA");
  EXPECT_FALSE(IsClipboardFormatAvailable(html.format));

  // The empty text is an empty Unicode text.
  EXPECT_EQ(app::write_clipboard_text(window_, text::CodePageText{}), ClipboardWrite::written);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(desktop::clipboard_text(), L"");
}

TEST_F(Clipboard, BusyClipboardIsRetriedBriefly) {
  ASSERT_TRUE(desktop::set_clipboard({unicode(L"hola")}));
  std::optional<text::CodePageText> read;
  {
    const desktop::ClipboardHolder holder(50);
    read = app::read_clipboard_text(window_);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->text, "hola");
  }
  text::change_case(*read, text::CaseChange::upper);
  {
    const desktop::ClipboardHolder holder(50);
    EXPECT_EQ(app::write_clipboard_text(window_, *read), ClipboardWrite::written);
  }
  EXPECT_EQ(desktop::clipboard_text(), L"HOLA");

  // Held for longer than the retries last: the reader finds nothing and the writer writes nothing.
  text::change_case(*read, text::CaseChange::lower);
  {
    const desktop::ClipboardHolder holder(3000);
    EXPECT_FALSE(app::read_clipboard_text(window_).has_value());
    EXPECT_EQ(app::write_clipboard_text(window_, *read), ClipboardWrite::busy);
  }
  EXPECT_EQ(desktop::clipboard_text(), L"HOLA");
}

}  // namespace
