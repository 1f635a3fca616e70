#include "text/counts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "text/code_page_1252.h"
#include "text/report_text.h"
#include "text/tokens.h"

namespace {

TEST(Counts, CharactersVowelsConsonants) {
  // clang-format off
  const struct {
    std::string text;
    std::int64_t characters, vowels, consonants;
  } cases[] = {
      {"", 0, 0, 0},
      {"Hola\r\nmundo", 11, 4, 5},
      {"YyWw", 4, 0, 4},
      {"2024, \t!?\x01", 10, 0, 0},
      {"acci\xF3n", 6, 3, 3},
      {"\xC1RBOL \xD1" "AND\xDA ping\xFCino", 20, 8, 10},
      // Typographic marks at the values of OEM letters: neither class.
      {"\x85\x96\x97\x99\xA0\xA4\xA5\x82\x84", 9, 0, 0},
      {std::string("a\0b", 3), 3, 1, 1},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(text::count_characters(c.text), c.characters);
    EXPECT_EQ(text::count_vowels(c.text), c.vowels);
    EXPECT_EQ(text::count_consonants(c.text), c.consonants);
  }
}

TEST(Counts, WordFragmentsBeginWithAnyLetter) {
  // clang-format off
  const struct {
    std::string text;
    std::int64_t count;
  } cases[] = {
      {"", 0},
      {"Hola, mundo.", 2},
      {"\xBFQu\xE9 tal?", 2},
      {"3er piso", 2},
      {"U.S.A.", 3},
      {"e-mail O'Neil rock-and-roll", 3},
      {"\xE9l y ella", 3},
      {"\xC1rbol \xF1" "and\xFA \xD3scar \xC1ngel", 4},
      // Dialogue dashes, no-break spaces, low and angle quotation marks and bullets cut words.
      {"\x97Hola \x97" "dijo \xE9l\x97.", 3},
      {"tres\xA0" "cuatro \x84uno\x93 \x82" "dos\x91 \x8Bsiete\x9B \x95" "cinco \x96seis", 7},
      {"-uno 'dos", 0},
      {"2024", 0},
      {"a\xF1o" "2020", 1},
      {"uno\r\ndos", 2},
      {"   \t\r\n", 0},
      {std::string(300, 'x') + " y", 2},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(text::count_word_fragments(c.text), c.count);
  }
}

// The count is the number of word tokens that begin with a letter, for any bytes in any place.
TEST(Counts, WordFragmentsAreTheTokensThatBeginWithALetter) {
  std::mt19937 random(3);
  const std::string alphabet = std::string("aZ\xF1\xE9 .,-'3\x97\xA0\r\n\x00", 15) + "\xAA\xB2";
  for (int round = 0; round < 2000; ++round) {
    std::string t(random() % 40, ' ');
    for (char& c : t) c = random() % 4 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
    std::int64_t expected = 0;
    for (const std::string_view token : text::split_text(t))
      expected += !text::is_separator(token) && text::cp1252::is_alpha(static_cast<unsigned char>(token[0]));
    ASSERT_EQ(text::count_word_fragments(t), expected) << testing::PrintToString(t);
  }
}

TEST(Counts, LongTextsAreCountedWhole) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "casa, ";
  EXPECT_EQ(text::count_word_fragments(text), 100000);
}

TEST(ReportText, FormatCountAndTheCountReports) {
  const struct {
    std::int64_t n;
    const char* digits;
  } numbers[] = {
      {0, "0"},
      {7, "7"},
      {1534, "1534"},
      {1000000, "1000000"},
      {999999999999999, "999999999999999"},
      {INT64_MAX, "9223372036854775807"},
      {-12, "-12"},
      {INT64_MIN, "-9223372036854775808"},
  };
  for (const auto& c : numbers) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(text::format_count(c.n), c.digits);
  }

  const std::string hola = "Hola\r\nmundo \xE9l";
  EXPECT_EQ(text::characters_report(hola), "Este trozo de texto tiene 14 caracteres");
  EXPECT_EQ(text::word_fragments_report(hola), "Este trozo de texto tiene 3 trozos de palabra(s) \xF3 palabra(s)");
  EXPECT_EQ(text::consonants_report(hola), "Este trozo de texto tiene 6 consonantes");
  EXPECT_EQ(text::vowels_report(hola), "Este trozo de texto tiene 5 vocales");
  EXPECT_EQ(text::vowels_report(""), "Este trozo de texto tiene 0 vocales");
}

}  // namespace
