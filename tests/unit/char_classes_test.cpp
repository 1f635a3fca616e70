#include "text/char_classes.h"
#include "text/tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using text::case_style;
using text::CaseStyle;

std::vector<std::string> words_of(std::string_view text) {
  std::vector<std::string> words;
  text::for_each_word(text, [&](std::size_t at, std::size_t length) { words.emplace_back(text.substr(at, length)); });
  return words;
}

// Where a writer's words end: spaces, control bytes, digits, punctuation and the typographic
// marks Spanish puts against a word; hyphens, apostrophes and the code page's other signs stay
// inside it. Code page 1252 text.
TEST(CharClasses, SeparatorsEndWordsAsAWriterExpects) {
  // clang-format off
  const struct {
    std::string text;
    std::vector<std::string> words;
  } cases[] = {
      {"hola\tmundo\r\nadi\xF3s\x01" "fin", {"hola", "mundo", "adi\xF3s", "fin"}},
      {"\x97Tambien \x96" "dijo\x97 \xBFQue? \xA1Ya!", {"Tambien", "dijo", "Que", "Ya"}},  // — – ¿ ¡
      {"\xAB" "comillas\xBB \x84" "bajas\x93 \x91simples\x92 \x82\x8Bsola\x9B", {"comillas", "bajas", "simples", "sola"}},
      {"no\xA0separa \x95punto \x85" "fin", {"no", "separa", "punto", "fin"}},  // no-break space, bullet, …
      {"3er piso 2\xAA planta, 10km", {"er", "piso", "\xAA", "planta", "km"}},  // digits separate
      {"(a) [b] {c} <d> \"e\" f/g h\\i j_k l~m #n $o \x80p \xA3q r:s;t=u.v!w?x,y", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y"}},
      {"e-mail O'Neil a&b 50% x*y a+b a@b ^c |d `e \x7F \xA2\xA5\xA7", {"e-mail", "O'Neil", "a&b", "%", "x*y", "a+b", "a@b", "^c", "|d", "`e", "\x7F", "\xA2\xA5\xA7"}},
      {std::string("uno\0dos", 7), {std::string("uno\0dos", 7)}},
      {"ni\xF1o m\xE1s 1\xBA", {"ni\xF1o", "m\xE1s", "\xBA"}},  // NUL is no control to split on
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(words_of(c.text), c.words);
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
