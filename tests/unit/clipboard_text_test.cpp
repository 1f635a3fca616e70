#include "text/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp1252_code_page.h"
#include "text/case_conversion.h"

namespace {

using text::ClipboardText;
using text::ForeignRun;
using Runs = std::vector<ForeignRun>;

const std::u16string kSample = u"emoji 😀 → café 中文 Ωmega";
const std::string kSampleText = "emoji ?? ? caf\xE9 ?? Omega";

std::string utf8(std::u16string_view s) {  // readable traces
  std::string out;
  for (const char16_t u : s) out += u < 0x80 ? static_cast<char>(u) : '#';
  return out;
}

ClipboardText read_text(std::u16string_view units, const text::CodePage& code_page) {
  const auto read = text::make_clipboard_text(units, code_page);
  EXPECT_TRUE(read.has_value());
  return read.value_or(ClipboardText{});
}

TEST(ClipboardText, ReadKeepsTheCodePageBytesAndRecordsInexactCharacters) {
  const testing_support::Cp1252CodePage cp1252;
  const std::u16string lone_surrogate{u'a', static_cast<char16_t>(0xD800), u'b'};
  const struct {
    std::u16string units;
    std::string text;
    Runs foreign;
  } cases[] = {
      {u"", "", {}},
      {u"hola caf\u00E9 \u00BFqu\u00E9?\r\n", "hola caf\xE9 \xBFqu\xE9?\r\n", {}},
      {u"\u20AC\u2014\u0081", "\x80\x97\x81", {}},
      {kSample,
       kSampleText,
       {{6, 2, u"😀"}, {9, 1, u"→"}, {16, 1, u"中"}, {17, 1, u"文"}, {19, 1, u"Ω"}}},
      {lone_surrogate, "a?b", {{1, 1, lone_surrogate.substr(1, 1)}}},
      {u"\u0101\u03B1", "aa", {{0, 1, u"\u0101"}, {1, 1, u"\u03B1"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(utf8(c.units));
    const ClipboardText read = read_text(c.units, cp1252);
    EXPECT_EQ(read.text, c.text);
    EXPECT_EQ(read.foreign, c.foreign);
  }
}

TEST(ClipboardText, ReadOnADoubleByteCodePageFindsEachCharactersBytes) {
  const testing_support::Cp1252CodePage double_byte(true);
  const ClipboardText read = read_text(u"a中Ω😀 b", double_byte);
  EXPECT_EQ(read.text, "a\x81\x40O?? b");
  EXPECT_EQ(read.foreign, (Runs{{3, 1, u"Ω"}, {4, 2, u"😀"}}));
  EXPECT_EQ(text::restore_foreign(read, text::to_upper_case(read.text), double_byte), u"A中Ω😀 B");
}

// A code page that converts "x中" as a whole differently from its characters one by one.
class ContextualCodePage : public text::CodePage {
 public:
  std::string to_bytes(std::u16string_view units) const override {
    if (units == u"x中") return "x#";
    std::string out;
    for (const char16_t u : units) out += u < 0x80 ? static_cast<char>(u) : '?';
    return out;
  }
  std::u16string to_utf16(std::string_view bytes) const override { return {bytes.begin(), bytes.end()}; }
  bool single_byte() const override { return false; }
};

TEST(ClipboardText, CharactersThatConvertDifferentlyAloneMakeOneRunOfTheWholeText) {
  const ContextualCodePage contextual;
  const ClipboardText read = read_text(u"x中", contextual);
  EXPECT_EQ(read.text, "x#");
  EXPECT_EQ(read.foreign, (Runs{{0, 2, u"x中"}}));
  EXPECT_EQ(text::restore_foreign(read, "x#", contextual), u"x中");
  EXPECT_EQ(text::restore_foreign(read, "X#", contextual), u"X#");
}

TEST(ClipboardText, RewriteGivesBackUnchangedForeignCharacters) {
  const testing_support::Cp1252CodePage cp1252;
  std::string exclaimed = kSampleText;
  exclaimed[9] = '!';
  const struct {
    std::u16string units;
    std::string rewritten;
    std::u16string expected;
  } cases[] = {
      {kSample, text::to_upper_case(kSampleText), u"EMOJI 😀 → CAFÉ 中文 ΩMEGA"},
      {kSample, text::to_mixed_case(kSampleText), u"Emoji 😀 → Café 中文 Ωmega"},
      // The look-alike "O" itself is rewritten: the rewrite wins.
      {kSample, text::to_lower_case(kSampleText), u"emoji 😀 → café 中文 omega"},
      {kSample, exclaimed, u"emoji 😀 ! café 中文 Ωmega"},
      {u"\u03B1\u03B1", "aA", u"\u03B1A"},
      {u"ni\u00F1o", "NI\xD1O", u"NIÑO"},
      {u"", "", u""},
      // Other lengths: runs in the unchanged beginning and end still line up.
      {u"中 x 文", "? xyz ?", u"中 xyz 文"},
      {u"中 xyz 文", "? x ?", u"中 x 文"},
      {u"中文", "?", u"中"},
      {u"中文", "", u""},
      {u"中 x 文", "? x", u"中 x"},
      {u"a 中", "b ?", u"b 中"},
      {u"中", "!?", u"!中"},
      {u"中", "!", u"!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(utf8(c.units) + " -> " + c.rewritten);
    const ClipboardText read = read_text(c.units, cp1252);
    EXPECT_EQ(text::restore_foreign(read, c.rewritten, cp1252), c.expected);
  }
}

TEST(ClipboardText, RunsOutsideTheTextAreIgnored) {
  const testing_support::Cp1252CodePage cp1252;
  const ClipboardText read{"a?", {{1, 5, u"x"}, {1, 1, u"中"}, {0, 2, u"yy"}, {9, 1, u"z"}}};
  EXPECT_EQ(text::restore_foreign(read, "A?", cp1252), u"A中");
  EXPECT_EQ(text::restore_foreign(read, "A??", cp1252), u"A?中");
}

}  // namespace
