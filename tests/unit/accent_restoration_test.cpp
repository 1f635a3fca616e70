#include "accents/accent_restoration.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using accents::AccentDictionary;

AccentDictionary small_dictionary() {
  AccentDictionary d;
  for (const char* w : {"cami\xF3n", "c\xF3mo", "est\xE1", "\xE9sta", "\xE1rea", "casa"}) d.add(w);
  return d;
}

accents::AccentRestoration restore(const std::string& text, const AccentDictionary& d) {
  return accents::restore_accents(text::split_text(text), d);
}

TEST(AccentRestoration, ReplaceByteAt) {
  EXPECT_EQ(accents::replace_byte_at("abc", 0, 'x'), "xbc");
  EXPECT_EQ(accents::replace_byte_at("abc", 2, 'x'), "abx");
  EXPECT_EQ(accents::replace_byte_at("abc", 3, 'x'), "abc");
  EXPECT_EQ(accents::replace_byte_at("", 0, 'x'), "");
}

TEST(AccentRestoration, AccentVariantTakesLeftmostKnownVowel) {
  const auto d = small_dictionary();
  const struct {
    std::string word, variant;
  } cases[] = {
      {"camion", "cami\xF3n"},
      {"como", "c\xF3mo"},
      {"esta", "\xE9sta"},       // both variants known: the first vowel wins
      {"area", "\xE1rea"},
      {"casa", "casa"},          // no accented variant of it is known
      {"estas", "estas"},
      {"c\xE1mion", "c\xE1mion"},  // a wrong accent is never removed
      {"ping\xFCino", "ping\xFCino"},
      {"", ""},
      {"xyz", "xyz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(accents::accent_variant(c.word, d), c.variant);
  }
}

TEST(AccentRestoration, RestoreAccents) {
  const auto d = small_dictionary();
  const struct {
    std::string text, restored;
    std::int64_t count;
    std::string list;
  } cases[] = {
      {"camion", "cami\xF3n", 1, "cami\xF3n\r\n"},
      {"Camion", "Cami\xF3n", 1, "cami\xF3n\r\n"},
      {"CAMION", "CAMI\xD3N", 1, "cami\xF3n\r\n"},
      {"\xBF" "Como estas?", "\xBF" "C\xF3mo estas?", 1, "c\xF3mo\r\n"},
      {"esta Esta ESTA", "\xE9sta \xC9sta \xC9STA", 3, "\xE9sta\r\n\xE9sta\r\n\xE9sta\r\n"},
      {"casa Casa CASA", "casa Casa CASA", 0, ""},
      {"Area", "\xC1rea", 1, "\xE1rea\r\n"},
      // Mixed capitals: only the vowel changes, in its own case.
      {"cAmion", "cAmi\xF3n", 1, "cami\xF3n\r\n"},
      {"camiOn", "cami\xD3n", 1, "cami\xF3n\r\n"},
      {"CAMIoN", "CAMI\xF3N", 1, "cami\xF3n\r\n"},
      // Words that get no accent are copied exactly as written.
      {"McDonald \xC1ngel PING\xDCINO cAsA", "McDonald \xC1ngel PING\xDCINO cAsA", 0, ""},
      {"c\xE1mion cami\xF3n", "c\xE1mion cami\xF3n", 0, ""},
      {"camion2", "cami\xF3n2", 1, "cami\xF3n\r\n"},
      {"camion\r\n\tcamion  \r\n", "cami\xF3n\r\n\tcami\xF3n  \r\n", 2, "cami\xF3n\r\ncami\xF3n\r\n"},
      {"   ", "   ", 0, ""},
      {"", "", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto r = restore(c.text, d);
    EXPECT_EQ(r.text, c.restored);
    EXPECT_EQ(r.correction_count, c.count);
    EXPECT_EQ(r.correction_list, c.list);
  }
}

TEST(AccentRestoration, EmptyDictionaryChangesNothing) {
  const std::string text = "McDonald \xC1ngel camion\r\nPING\xDCINO";
  const auto r = restore(text, AccentDictionary{});
  EXPECT_EQ(r.text, text);
  EXPECT_EQ(r.correction_count, 0);
}

TEST(AccentRestoration, NothingIsCutOff) {
  auto d = small_dictionary();
  const std::string long_word(300, 'a');
  d.add(std::string(299, 'a') + "\xE1");  // a variant of it, but longer than any word of a file
  const auto r = restore(long_word + " camion", d);
  EXPECT_EQ(r.text, std::string(299, 'a') + "\xE1 cami\xF3n");

  // 150,000 tokens, far more than a fixed table of 102,400 would hold.
  std::string many;
  for (int i = 0; i < 50000; ++i) many += "camion, ";
  const auto m = restore(many, d);
  std::string expected;
  for (int i = 0; i < 50000; ++i) expected += "cami\xF3n, ";
  EXPECT_EQ(m.text, expected);
  EXPECT_EQ(m.correction_count, 50000);
}

TEST(AccentRestoration, Report) {
  const auto d = small_dictionary();
  std::string text, listed;
  for (int i = 0; i < 41; ++i) text += i % 2 ? "Camion " : "como\r\n";
  for (int i = 0; i < 40; ++i) listed += i % 2 ? "cami\xF3n\r\n" : "c\xF3mo\r\n";
  const auto r = restore(text, d);
  EXPECT_EQ(r.correction_count, 41);
  EXPECT_EQ(r.correction_list, listed);
  EXPECT_EQ(accents::correction_report(r),
            "Encontradas 41 palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
            "fica ...\r\nYa puedes pegar el texto con las t\xEDldes correg\xED"
            "das ...\r\n" + listed);

  EXPECT_EQ(accents::correction_report(restore("casa", d)),
            "Encontradas 0 palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
            "fica ...");
}

}  // namespace
