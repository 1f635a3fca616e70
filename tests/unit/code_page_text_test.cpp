#include "text/code_page_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using text::ForeignRun;
using Runs = std::vector<ForeignRun>;

TEST(CodePageText, EachUnitBecomesOneByteAndForeignUnitsAreKeptInRuns) {
  const std::u16string lone_surrogate{u'a', static_cast<char16_t>(0xD800), u'b'};
  const struct {
    std::u16string units;
    std::string text;
    Runs foreign;
    std::u16string foreign_units;
  } cases[] = {
      {u"", "", {}, u""},
      {u"hola caf\u00E9 \u00BFqu\u00E9?\r\n", "hola caf\xE9 \xBFqu\xE9?\r\n", {}, u""},
      {u"\u20AC\u2014\u0081\u00A0", "\x80\x97\x81\xA0", {}, u""},
      // Look-alikes where the code page has one, "?" elsewhere; neighbours share a run.
      {u"emoji 😀 → café 中文 Ωmega", "emoji ?? ? caf\xE9 ?? Omega", {{6, 2}, {9, 1}, {16, 2}, {19, 1}}, u"😀→中文Ω"},
      {u"Gda\u0144sk \u0101\u03B1", "Gdansk aa", {{3, 1}, {7, 2}}, u"\u0144\u0101\u03B1"},
      {lone_surrogate, "a?b", {{1, 1}}, lone_surrogate.substr(1, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.units));
    const text::CodePageText t = text::from_utf16(c.units);
    EXPECT_EQ(t.text, c.text);
    EXPECT_EQ(t.foreign, c.foreign);
    EXPECT_EQ(t.foreign_units, c.foreign_units);
    EXPECT_EQ(text::to_utf16(t), c.units);
  }
}

TEST(CodePageText, BuiltPieceByPieceEqualsBuiltWhole) {
  const std::u16string whole = u"ab 中文Ω😀 ćd";
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    text::CodePageText t = text::from_utf16(std::u16string_view(whole).substr(0, cut));
    text::append_utf16(t, std::u16string_view(whole).substr(cut));
    const text::CodePageText expected = text::from_utf16(whole);
    EXPECT_EQ(t.text, expected.text);
    EXPECT_EQ(t.foreign, expected.foreign);
    EXPECT_EQ(text::to_utf16(t), whole);
  }
}

TEST(CodePageText, SplitOffGivesTheTextsOfBothParts) {
  const std::u16string whole = u"ab 中文Ω😀 ćd ńń";
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    text::CodePageText head = text::from_utf16(whole);
    const text::CodePageText tail = text::split_off(head, cut);
    const text::CodePageText expected_head = text::from_utf16(whole.substr(0, cut));
    const text::CodePageText expected_tail = text::from_utf16(whole.substr(cut));
    EXPECT_EQ(head.text, expected_head.text);
    EXPECT_EQ(head.foreign, expected_head.foreign);
    EXPECT_EQ(head.foreign_units, expected_head.foreign_units);
    EXPECT_EQ(tail.text, expected_tail.text);
    EXPECT_EQ(tail.foreign, expected_tail.foreign);
    EXPECT_EQ(tail.foreign_units, expected_tail.foreign_units);
  }
}

TEST(CodePageText, RandomUnitsComeBackExactly) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::u16string units(random() % 40, u'\0');
    for (char16_t& u : units) u = static_cast<char16_t>(random() % 4 ? random() % 0x180 : random() % 0x10000);
    SCOPED_TRACE(round);
    const text::CodePageText t = text::from_utf16(units);
    ASSERT_EQ(t.text.size(), units.size());
    EXPECT_EQ(text::to_utf16(t), units);
  }
}

TEST(CodePageText, AllInCodePage) {
  const text::CodePageText t = text::from_utf16(u"ab中文cd Ω");
  const struct {
    std::size_t offset, length;
    bool expected;
  } cases[] = {{0, 2, true},  {0, 3, false}, {2, 2, false}, {3, 1, false}, {4, 3, true},
               {4, 4, false}, {6, 2, false}, {7, 1, false}, {0, 0, true},  {8, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.offset << "+" << c.length);
    EXPECT_EQ(text::all_in_code_page(t, c.offset, c.length), c.expected);
  }
}

}  // namespace
