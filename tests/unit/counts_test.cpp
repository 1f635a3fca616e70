#include "text/counts.h"

#include <gtest/gtest.h>

#include <string>

#include "text/report_text.h"

namespace {

TEST(Counts, CharactersVowelsConsonants) {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(text::count_characters(c.text), c.characters);
    EXPECT_EQ(text::count_vowels(c.text), c.vowels);
    EXPECT_EQ(text::count_consonants(c.text), c.consonants);
  }
}

TEST(Counts, WordFragments) {
  const struct {
    std::string text;
    std::int64_t count;
  } cases[] = {
      {"", 0},
      {"Hola, mundo.", 2},
      {"\xBFQu\xE9 tal?", 2},
      {"3er piso", 2},
      {"U.S.A.", 3},
      {"e-mail", 1},
      {"rock-and-roll", 1},
      {"\xE9l y ella", 2},
      {"\xC1rbol \xF1" "and\xFA \xD3scar", 0},
      {"-uno 'dos", 0},
      {"2024", 0},
      {"a\xF1o" "2020", 1},
      {"uno\r\ndos", 2},
      {"   \t\r\n", 0},
      {std::string(300, 'x') + " y", 2},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(text::count_word_fragments(text::prepare_tokens(c.text, true)), c.count);
  }
}

TEST(Counts, LineBreaksCountLikeTwoSpaces) {
  std::string lines = "uno dos\r\ntres";
  std::string joined = "uno dos  tres";
  EXPECT_EQ(text::count_word_fragments(text::prepare_tokens(lines, true)),
            text::count_word_fragments(text::prepare_tokens(joined, true)));
  EXPECT_EQ(lines, joined);
}

TEST(ReportText, FormatCountAndCountReports) {
  const struct {
    std::int64_t n;
    const char* digits;
  } numbers[] = {
      {0, "0"}, {7, "7"}, {1534, "1534"}, {1000000, "1000000"}, {999999999999999, "999999999999999"},
      {9223372036854775807, "9223372036854775807"}, {-12, "-12"},
  };
  for (const auto& c : numbers) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(text::format_count(c.n), c.digits);
  }

  const struct {
    std::int64_t n;
    std::string_view unit;
    std::string report;
  } reports[] = {
      {12, text::unit_vowels, "Este trozo de texto tiene 12 vocales"},
      {0, text::unit_consonants, "Este trozo de texto tiene 0 consonantes"},
      {1534, text::unit_characters, "Este trozo de texto tiene 1534 caracteres"},
      {2, text::unit_word_fragments, "Este trozo de texto tiene 2 trozos de palabra(s) \xF3 palabra(s)"},
  };
  for (const auto& c : reports) {
    SCOPED_TRACE(c.report);
    EXPECT_EQ(text::count_report(c.n, c.unit), c.report);
  }
}

}  // namespace
