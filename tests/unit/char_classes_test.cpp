#include "text/char_classes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using text::case_style;
using text::CaseStyle;

TEST(CharClasses, SeparatorsAreControlsSpacesDigitsPunctuationAndTypographicMarks) {
  // The typographic marks Spanish puts against words: no-break space, en and em dash, low and
  // angle quotation marks, bullet.
  const std::string listed =
      " !\"#$(),./0123456789:;<=>?[\\]_{}~\x80\x85\x91\x92\x93\x94\xA1\xA3\xAB\xBB\xBF"
      "\xA0\x96\x97\x82\x84\x8B\x9B\x95";
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const bool expected = (b >= 0x01 && b <= 0x1F) || listed.find(static_cast<char>(b)) != std::string::npos;
    EXPECT_EQ(text::is_separator_byte(static_cast<unsigned char>(b)), expected);
  }
}

TEST(CharClasses, WordBytesAndSeparatorOfText) {
  for (char c : std::string("\0%&'*+-@^|`\x7F\xA2\xA5\xA7\xF1\xE1\xAA\xBA", 19)) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c)));
    EXPECT_FALSE(text::is_separator_byte(static_cast<unsigned char>(c)));
  }
  EXPECT_FALSE(text::is_separator(""));
  EXPECT_TRUE(text::is_separator("\tx"));
  EXPECT_TRUE(text::is_separator("2casa"));
  EXPECT_FALSE(text::is_separator("casa2"));
}

TEST(CharClasses, VowelsAndConsonants) {
  int vowels = 0, consonants = 0;
  for (int b = 0; b < 128; ++b) {
    vowels += text::is_vowel(static_cast<unsigned char>(b));
    consonants += text::is_consonant(static_cast<unsigned char>(b));
    EXPECT_FALSE(text::is_vowel(static_cast<unsigned char>(b)) && text::is_consonant(static_cast<unsigned char>(b)));
  }
  EXPECT_EQ(vowels, 10);
  EXPECT_EQ(consonants, 42);
  for (unsigned char b : {'Y', 'y', 'W', 'w'}) EXPECT_TRUE(text::is_consonant(b));
  // Code page 1252 letters: accented vowels are vowels, ñ and ç consonants; typographic
  // marks at the values of OEM letters are neither.
  for (unsigned char b : {0xE1, 0xC1, 0xFC, 0xDC, 0xE0, 0xE5, 0xF5}) EXPECT_TRUE(text::is_vowel(b)) << int(b);
  for (unsigned char b : {0xF1, 0xD1, 0xE7, 0xC7, 0x9A, 0xFF}) EXPECT_TRUE(text::is_consonant(b)) << int(b);
  for (unsigned char b : {0x85, 0x96, 0x97, 0x99, 0xA0, 0xA4, 0xA5, 0xD7, 0xF7}) {
    EXPECT_FALSE(text::is_vowel(b)) << int(b);
    EXPECT_FALSE(text::is_consonant(b)) << int(b);
  }
}

TEST(CharClasses, HighBytesAreCodePage1252Letters) {
  // Vowels: every letter whose base letter is a, e, i, o or u, in either case. Consonants:
  // ñ ç š ž ý ÿ in either case. Nothing else from 0x80 up, whatever the OEM code pages hold there.
  const std::string vowels =
      "\xE1\xE9\xED\xF3\xFA\xFC\xE0\xE8\xEC\xF2\xF9\xE2\xEA\xEE\xF4\xFB\xE4\xEB\xEF\xF6\xE3\xF5\xE5"
      "\xC1\xC9\xCD\xD3\xDA\xDC\xC0\xC8\xCC\xD2\xD9\xC2\xCA\xCE\xD4\xDB\xC4\xCB\xCF\xD6\xC3\xD5\xC5";
  const std::string consonants = "\xF1\xD1\xE7\xC7\x9A\x8A\x9E\x8E\xFD\xDD\xFF\x9F";
  for (int b = 0x80; b <= 0xFF; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(text::is_vowel(static_cast<unsigned char>(b)), vowels.find(static_cast<char>(b)) != std::string::npos);
    EXPECT_EQ(text::is_consonant(static_cast<unsigned char>(b)),
              consonants.find(static_cast<char>(b)) != std::string::npos);
  }
}

TEST(CharClasses, CaseStyle) {
  constexpr CaseStyle other = CaseStyle::other, small = CaseStyle::small, capitalised = CaseStyle::capitalised,
                      capitals = CaseStyle::capitals;
  // clang-format off
  const struct {
    const char* word;
    CaseStyle style;
  } cases[] = {
      {"", small},          {"A", capitalised},      {"a", small},          {"\xC1", capitals},
      {"Casa", capitalised}, {"CASA", capitals},      {"casa", small},       {"cAsa", other},
      {"Espa\xF1" "a", capitalised}, {"ESPA\xD1" "A", capitals}, {"\xE1rbol", small}, {"\xC1RBOL", capitals},
      {"\xC1rbol", other},  {"ping\xFCino", other},   {"casa2", other},      {"McDonald", other},
      {"\xD1" "and\xFA", other},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(case_style(c.word), c.style);
  }
}

}  // namespace
