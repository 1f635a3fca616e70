#include "text/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/code_page_text.h"

namespace {

text::CodePageText read_all(std::string_view utf8, text::Utf8Read* read = nullptr) {
  text::CodePageText t;
  const text::Utf8Read r = text::append_utf8(t, utf8);
  if (read) *read = r;
  return t;
}

void expect_same(const text::CodePageText& a, const text::CodePageText& b) {
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.foreign, b.foreign);
  EXPECT_EQ(a.foreign_units, b.foreign_units);
}

// Reference encodings of a code point sequence, built independently of the code under test.
struct Encoded {
  std::string utf8;
  std::u16string utf16;
};

void add(Encoded& e, char32_t c) {
  if (c < 0x80) {
    e.utf8 += static_cast<char>(c);
  } else if (c < 0x800) {
    e.utf8 += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    e.utf8 += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
               static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    e.utf8 += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
               static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
  if (c < 0x10000) {
    e.utf16 += static_cast<char16_t>(c);
  } else {
    e.utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    e.utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

TEST(Utf8, ReadsAsTheUtf16FormWouldBeAndWritesBackTheSameBytes) {
  // clang-format off
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"", u""},
      {"hola mundo, otra l\xC3\xAD" "nea\r\n", u"hola mundo, otra línea\r\n"},
      {"\xC2\xBF" "Qu\xC3\xA9? \xC2\xA1" "A\xC3\xB1o!", u"¿Qué? ¡Año!"},
      {"\xE2\x82\xAC \xE2\x80\x94 \xE2\x80\x9C\xE2\x80\x9D \xC5\xB8", u"€ — “” Ÿ"},
      {"Gda\xC5\x84sk \xCE\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80", u"Gdańsk Ω 中文 😀"},
      {"\xC2\x80\xC2\x81\xC2\x9F\xC2\xA0", u"\u0080\u0081\u009F\u00A0"},  // C1 controls, no-break space
      {"\xEF\xBB\xBF" "a", u"\uFEFFa"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", u"\uFFFF\U0010FFFF"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    text::Utf8Read read;
    const text::CodePageText t = read_all(c.utf8, &read);
    EXPECT_EQ(read.read, c.utf8.size());
    EXPECT_FALSE(read.invalid);
    expect_same(t, text::from_utf16(c.utf16));
    EXPECT_EQ(text::to_utf8(t), c.utf8);
  }
}

TEST(Utf8, StopsAtInvalidSequencesAndCutCharacters) {
  // clang-format off
  const struct {
    std::string bytes;
    std::size_t read;
    bool invalid;
  } cases[] = {
      {"ab\x80", 2, true},                  // stray continuation byte
      {"\xC3\xA9\xBF", 2, true},
      {"\xC0\xAF", 0, true},                // overlong '/'
      {"\xC1\xBF", 0, true},
      {"abc\xE0\x80\xAF", 3, true},         // overlong, three bytes
      {"\xF0\x80\x80\xAF", 0, true},        // overlong, four bytes
      {"x\xED\xA0\x80", 1, true},           // a surrogate
      {"\xED\xBF\xBF", 0, true},
      {"\xF4\x90\x80\x80", 0, true},        // past U+10FFFF
      {"\xF5\x80\x80\x80", 0, true},
      {"\xFE\xFF", 0, true},
      {"\xE9t\xE9", 0, true},               // Latin-1 bytes
      {"\xC3 a", 0, true},                  // lead byte followed by ASCII
      {"ca\xE2\x82" "a", 2, true},
      {"123456789\xE2\x82", 9, false},      // cut by the end of the block: not invalid
      {"\xF0\x9F\x98", 0, false},
      {"a\xC3", 1, false},
      {"\xE0\x9F", 0, true},                // cut, but already impossible
      {"\xED\xA0", 0, true},
      {"\xF4\x90", 0, true},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    text::Utf8Read read;
    const text::CodePageText t = read_all(c.bytes, &read);
    EXPECT_EQ(read.read, c.read);
    EXPECT_EQ(read.invalid, c.invalid);
    EXPECT_EQ(text::to_utf8(t), c.bytes.substr(0, c.read));
  }
}

// Read in two blocks, the bytes a block leaves over carried to the next, the text is the same
// wherever the cut falls.
TEST(Utf8, BlocksCutAnywhereGiveTheWholeText) {
  const std::string whole = "a\xC3\xB1o \xE2\x82\xAC\xF0\x9F\x98\x80\xCE\xA9\xCE\xA9 z\xC3\xA9";
  const text::CodePageText expected = read_all(whole);
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    text::CodePageText t;
    const text::Utf8Read first = text::append_utf8(t, std::string_view(whole).substr(0, cut));
    ASSERT_FALSE(first.invalid);
    EXPECT_LE(cut - first.read, 3u);
    const text::Utf8Read second = text::append_utf8(t, std::string_view(whole).substr(first.read));
    EXPECT_FALSE(second.invalid);
    EXPECT_EQ(first.read + second.read, whole.size());
    expect_same(t, expected);
  }
}

TEST(Utf8, RandomCharactersComeBackExactly) {
  std::mt19937 random(5);
  const auto code_point = [&]() -> char32_t {
    switch (random() % 5) {
      case 0: return random() % 0x80;
      case 1: return 0x80 + random() % 0x180;
      case 2: return 0x800 + random() % (0xD800 - 0x800);
      case 3: return 0xE000 + random() % 0x2000;
      default: return 0x10000 + random() % 0x100000;
    }
  };
  for (int round = 0; round < 300; ++round) {
    Encoded e;
    for (std::size_t n = random() % 40; n > 0; --n) add(e, code_point());
    SCOPED_TRACE(e.utf8);
    text::Utf8Read read;
    const text::CodePageText t = read_all(e.utf8, &read);
    ASSERT_EQ(read.read, e.utf8.size());
    expect_same(t, text::from_utf16(e.utf16));
    EXPECT_EQ(text::to_utf8(t), e.utf8);
  }
}

TEST(Utf8, WritesCodePageText) {
  // clang-format off
  const struct {
    std::string code_page;
    std::string utf8;
  } cases[] = {
      {"", ""},
      {"Este trozo de texto tiene 3 vocales", "Este trozo de texto tiene 3 vocales"},
      {"t\xEDlde ortogr\xE1" "fica\r\n\xF1\xD1\xBF\xA1", "t\xC3\xAD" "lde ortogr\xC3\xA1" "fica\r\n\xC3\xB1\xC3\x91\xC2\xBF\xC2\xA1"},
      {"\x80\x97\x9F", "\xE2\x82\xAC\xE2\x80\x94\xC5\xB8"},
      {"\x81\x8D", "\xC2\x81\xC2\x8D"},  // undefined bytes: the control characters of their value
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code_page);
    EXPECT_EQ(text::to_utf8(std::string_view(c.code_page)), c.utf8);
  }
  // Lone surrogates come only from UTF-16 input; they cannot be written as UTF-8.
  const std::u16string lone{u'a', static_cast<char16_t>(0xDC00), static_cast<char16_t>(0xD800)};
  EXPECT_EQ(text::to_utf8(text::from_utf16(lone)), "a\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
