#include "accents/accent_restoration.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/code_page_text.h"

namespace {

using accents::AccentDictionary;

AccentDictionary small_dictionary() {
  AccentDictionary d;
  for (const char* w : {"cami\xF3n", "c\xF3mo", "est\xE1", "\xE9sta", "\xE1rea", "casa", "gd\xE1nsk", "\xF3mega"})
    d.add(w);
  return d;
}

struct Restored {
  std::string text;
  accents::AccentCorrections corrections;
};

Restored restore(const std::string& text, const AccentDictionary& d) {
  Restored r;
  text::CodePageText t{text, {}, {}};
  accents::restore_accents(t, d, r.corrections);
  r.text = t.text;
  return r;
}

TEST(AccentRestoration, RestoreAccents) {
  const auto d = small_dictionary();
  // clang-format off
  const struct {
    std::string text, restored;
    std::int64_t count;
    std::string list;
  } cases[] = {
      {"camion", "cami\xF3n", 1, "cami\xF3n\r\n"},
      {"Camion", "Cami\xF3n", 1, "cami\xF3n\r\n"},
      {"CAMION", "CAMI\xD3N", 1, "cami\xF3n\r\n"},
      {"\xBF" "Como estas?", "\xBF" "C\xF3mo estas?", 1, "c\xF3mo\r\n"},
      // Both variants known: the first vowel wins.
      {"esta Esta ESTA", "\xE9sta \xC9sta \xC9STA", 3, "\xE9sta\r\n\xE9sta\r\n\xE9sta\r\n"},
      {"casa Casa CASA", "casa Casa CASA", 0, ""},
      {"Area", "\xC1rea", 1, "\xE1rea\r\n"},
      // Mixed capitals: only the vowel changes, in its own case.
      {"cAmion", "cAmi\xF3n", 1, "cami\xF3n\r\n"},
      {"camiOn", "cami\xD3n", 1, "cami\xF3n\r\n"},
      {"CAMIoN", "CAMI\xF3N", 1, "cami\xF3n\r\n"},
      // Words that get no accent are copied exactly as written; a wrong accent is never removed.
      {"McDonald \xC1ngel PING\xDCINO cAsA estas", "McDonald \xC1ngel PING\xDCINO cAsA estas", 0, ""},
      {"c\xE1mion cami\xF3n", "c\xE1mion cami\xF3n", 0, ""},
      {"camion2", "cami\xF3n2", 1, "cami\xF3n\r\n"},
      // The first word of a line of dialogue, and words against other typographic marks.
      {"\x97" "Camion \x97" "dijo\x97.", "\x97" "Cami\xF3n \x97" "dijo\x97.", 1, "cami\xF3n\r\n"},
      {"\x84" "como\x93 camion\xA0" "como \x95" "area", "\x84" "c\xF3mo\x93 cami\xF3n\xA0" "c\xF3mo \x95\xE1rea", 4,
       "c\xF3mo\r\ncami\xF3n\r\nc\xF3mo\r\n\xE1rea\r\n"},
      {"camion\r\n\tcamion  \r\n", "cami\xF3n\r\n\tcami\xF3n  \r\n", 2, "cami\xF3n\r\ncami\xF3n\r\n"},
      {"   ", "   ", 0, ""},
      {"", "", 0, ""},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Restored r = restore(c.text, d);
    EXPECT_EQ(r.text, c.restored);
    EXPECT_EQ(r.corrections.count, c.count);
    EXPECT_EQ(r.corrections.list, c.list);
  }
}

// A word holding a character the code page cannot is left alone: its stand-in ("n" for "ń",
// "O" for "Ω") must not decide a correction that would overwrite the real character.
TEST(AccentRestoration, WordsWithForeignCharactersAreLeftAlone) {
  const auto d = small_dictionary();
  text::CodePageText t = text::from_utf16(u"Gdańsk Ωmega omega camion 中 camion");
  accents::AccentCorrections corrections;
  accents::restore_accents(t, d, corrections);
  EXPECT_EQ(text::to_utf16(t), u"Gdańsk Ωmega ómega camión 中 camión");
  EXPECT_EQ(corrections.count, 3);
}

TEST(AccentRestoration, EmptyDictionaryChangesNothing) {
  const std::string text = "McDonald \xC1ngel camion\r\nPING\xDCINO";
  const Restored r = restore(text, AccentDictionary{});
  EXPECT_EQ(r.text, text);
  EXPECT_EQ(r.corrections.count, 0);
}

TEST(AccentRestoration, NothingIsCutOff) {
  auto d = small_dictionary();
  d.add(std::string(299, 'a') + "\xE1");  // longer than any word of a file
  EXPECT_EQ(restore(std::string(300, 'a') + " camion", d).text, std::string(299, 'a') + "\xE1 cami\xF3n");

  std::string many, expected;
  for (int i = 0; i < 50000; ++i) many += "camion, ", expected += "cami\xF3n, ";
  const Restored m = restore(many, d);
  EXPECT_EQ(m.text, expected);
  EXPECT_EQ(m.corrections.count, 50000);
}

TEST(AccentRestoration, PiecesCutAtSeparatorsAddUp) {
  const auto d = small_dictionary();
  accents::AccentCorrections corrections;
  for (const char* piece : {"camion como ", "casa esta\r\n", "", "Area"}) {
    text::CodePageText t{piece, {}, {}};
    accents::restore_accents(t, d, corrections);
  }
  EXPECT_EQ(corrections.count, 4);
  EXPECT_EQ(corrections.list, "cami\xF3n\r\nc\xF3mo\r\n\xE9sta\r\n\xE1rea\r\n");
}

// A long text of many different words, common and rare, short and long, gets the same
// corrections as each of its words restored on its own.
TEST(AccentRestoration, ManyDifferentWordsAsEachOnItsOwn) {
  AccentDictionary d;
  std::vector<std::string> words;
  std::mt19937 random(17);
  // Words of every length, many sharing their first eight or more letters.
  const auto letters = [&](std::size_t n) {
    std::string w;
    for (; n > 0; --n) w += "aeioubcdlmnrst"[random() % 14];
    return w;
  };
  std::vector<std::string> stems;
  for (int i = 0; i < 40; ++i) stems.push_back(letters(6 + random() % 8));
  for (int i = 0; i < 30000; ++i) {
    std::string w = random() % 2 ? letters(1 + random() % 19) : stems[random() % stems.size()] + letters(random() % 6);
    words.push_back(w);
    // Most words have an accented form known, a few are known as they are.
    const std::size_t vowel = w.find_first_of("aeiou");
    if (random() % 8 == 0 || vowel == std::string::npos) {
      d.add(w);
    } else {
      w[vowel] = w[vowel] == 'a'   ? '\xE1'
                 : w[vowel] == 'e' ? '\xE9'
                 : w[vowel] == 'i' ? '\xED'
                 : w[vowel] == 'o' ? '\xF3'
                                   : '\xFA';
      d.add(w);
    }
  }
  std::string text, expected;
  std::int64_t expected_count = 0;
  for (int i = 0; i < 200000; ++i) {
    // Now and then a common word, otherwise any.
    std::string w = words[random() % 4 ? random() % 50 : random() % words.size()];
    if (random() % 5 == 0) w[0] = static_cast<char>(w[0] - 0x20);
    const Restored alone = restore(w, d);
    // clang-format off
    expected += alone.text + " ";
    // clang-format on
    expected_count += alone.corrections.count;
    // clang-format off
    text += w + " ";
    // clang-format on
  }
  const Restored r = restore(text, d);
  EXPECT_TRUE(r.text == expected);
  EXPECT_EQ(r.corrections.count, expected_count);
}

TEST(AccentRestoration, Report) {
  const auto d = small_dictionary();
  std::string text, listed;
  for (int i = 0; i < 41; ++i) text += i % 2 ? "Camion " : "como\r\n";
  for (int i = 0; i < 40; ++i) listed += i % 2 ? "cami\xF3n\r\n" : "c\xF3mo\r\n";
  const Restored r = restore(text, d);
  EXPECT_EQ(r.corrections.count, 41);
  EXPECT_EQ(r.corrections.list, listed);
  EXPECT_EQ(accents::correction_report(r.corrections),
            "Encontradas 41 palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
            "fica ...\r\nYa puedes pegar el texto con las t\xEDldes correg\xED"
            "das ...\r\n" +
                listed);

  // Pieces restored apart and their corrections added in order: the report of the whole.
  const auto after_separator = [&text](std::size_t at) {
    return std::min(text.find_first_of(" \n", at), text.size() - 1) + 1;
  };
  for (const std::size_t from : {std::size_t{0}, std::size_t{150}, text.size() - 8}) {
    const std::size_t cut = after_separator(from), second_cut = after_separator(cut + 100);
    SCOPED_TRACE(cut);
    accents::AccentCorrections joined = restore(text.substr(0, cut), d).corrections;
    accents::add_corrections(joined, restore(text.substr(cut, second_cut - cut), d).corrections);
    accents::add_corrections(joined, restore(text.substr(second_cut), d).corrections);
    EXPECT_EQ(joined.count, 41);
    EXPECT_EQ(joined.list, listed);
  }

  EXPECT_EQ(accents::correction_report(restore("casa", d).corrections),
            "Encontradas 0 palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
            "fica ...");
}

}  // namespace
