#include "text/marked_letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using text::Mark;

struct Letter {
  unsigned char letter;
  unsigned char plain;
  Mark mark;
};

// Code page 1252 bytes.
constexpr Letter spanish_letters[] = {
    {0xE1, 'a', Mark::acute},     {0xE9, 'e', Mark::acute},     {0xED, 'i', Mark::acute},  // á é í
    {0xF3, 'o', Mark::acute},     {0xFA, 'u', Mark::acute},                                // ó ú
    {0xC1, 'A', Mark::acute},     {0xC9, 'E', Mark::acute},     {0xCD, 'I', Mark::acute},  // Á É Í
    {0xD3, 'O', Mark::acute},     {0xDA, 'U', Mark::acute},                                // Ó Ú
    {0xF1, 'n', Mark::tilde},     {0xD1, 'N', Mark::tilde},                                // ñ Ñ
    {0xFC, 'u', Mark::diaeresis}, {0xDC, 'U', Mark::diaeresis},                            // ü Ü
};

std::string shown(unsigned char b) { return "byte " + std::to_string(b); }

// Each marked letter is its plain letter with its mark; only the acute accent is taken off.
TEST(MarkedLetters, SpanishLettersAreTheirPlainLetterWithTheirMark) {
  for (const auto& c : spanish_letters) {
    SCOPED_TRACE(shown(c.letter));
    const bool acute = c.mark == Mark::acute;
    EXPECT_EQ(text::marked_letter(c.plain, c.mark), c.letter);
    EXPECT_EQ(text::is_acute_vowel(c.letter), acute);
    EXPECT_EQ(text::without_acute(c.letter), acute ? c.plain : c.letter);
    if (acute) {
      EXPECT_EQ(text::acute_of(c.plain), c.letter);
    }
  }
}

// Plain letters, and letters of other languages that look alike, stay as they are.
TEST(MarkedLetters, OtherBytesAreNoAcuteVowel) {
  const unsigned char others[] = {
      'a',  'U',  'b',  'n',  'y',  0x00, 0x7F, 0x81, 0xA0, 0xB4,  // ´ is the accent alone
      0xE0, 0xC0, 0xE8, 0xEC, 0xF2, 0xF9,                          // à À è ì ò ù
      0xE4, 0xEB, 0xEF, 0xF6, 0xC4, 0xD6,                          // ä ë ï ö Ä Ö
      0xE2, 0xE3, 0xF5, 0xC7, 0xE7, 0xFD, 0xDD, 0xFF,              // â ã õ Ç ç ý Ý ÿ
  };
  for (const unsigned char b : others) {
    SCOPED_TRACE(shown(b));
    EXPECT_FALSE(text::is_acute_vowel(b));
    EXPECT_EQ(text::without_acute(b), b);
  }
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(shown(static_cast<unsigned char>(b)));
    const bool listed = std::any_of(std::begin(spanish_letters), std::end(spanish_letters),
                                    [&](const Letter& l) { return l.letter == b && l.mark == Mark::acute; });
    EXPECT_EQ(text::is_acute_vowel(static_cast<unsigned char>(b)), listed);
  }
}

// Spanish writes no ý, ë, ã, ń: no letter is made of them.
TEST(MarkedLetters, NoLetterForAMarkSpanishDoesNotPutThere) {
  const struct {
    unsigned char plain;
    Mark mark;
  } cases[] = {
      {'y', Mark::acute},     {'n', Mark::acute},     {'b', Mark::acute},  {'a', Mark::tilde},  {'o', Mark::tilde},
      {'e', Mark::diaeresis}, {'n', Mark::diaeresis}, {0xE1, Mark::acute}, {0xF1, Mark::tilde}, {'a', Mark::none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(shown(c.plain));
    EXPECT_EQ(text::marked_letter(c.plain, c.mark), 0);
    if (c.mark == Mark::acute) {
      EXPECT_EQ(text::acute_of(c.plain), 0);
    }
  }
}

}  // namespace
