#include "tools/corpus_words.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(CorpusWords, Split) {
  const std::string forty(40, 'a');
  // clang-format off
  const struct {
    std::string text;
    Words words;
  } cases[] = {
      {"", {}},
      {" \r\n\t.,;", {}},
      {"\xBF" "Qu\xE9 CANCI\xD3N?", {"qu\xE9", "canci\xF3n"}},
      {"mp3 2024 x86-64 --", {"mp", "x"}},  // digits end words; a word needs a letter
      {"anti-virus l'eau a\xA0" "b c\x96" "d \x84" "e\x93 \x95" "f", {"anti-virus", "l'eau", "a", "b", "c", "d", "e", "f"}},
      {forty + " " + forty + "b", {forty}},  // longer than an entry can hold
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(tools::corpus_words(c.text), c.words);
  }
}

TEST(CorpusWords, ComposeAccents) {
  // clang-format off
  const struct {
    const char* utf8;
    const char* composed;
  } cases[] = {
      {"garanti\xCC\x81" "a", "garant\xC3\xAD" "a"},
      {"A\xCC\x81rbol ma\xCC\x81s", "\xC3\x81rbol m\xC3\xA1s"},
      {"man\xCC\x83" "ana Pingu\xCC\x88ino N\xCC\x83", "ma\xC3\xB1" "ana Ping\xC3\xBCino \xC3\x91"},
      {"x\xCC\x81 a\xCC\x80 plain", "x\xCC\x81 a\xCC\x80 plain"},  // no such letter in the code page
      {"a\xCC", "a\xCC"},                                          // truncated
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(tools::compose_accents(c.utf8), c.composed);
  }
}

TEST(CorpusWords, SpanishOrEnglish) {
  const struct {
    Words words;
    int sign;
  } cases[] = {
      {{"pulse", "el", "bot\xF3n", "para", "abrir", "la", "ventana"}, 1},
      {{"click", "the", "button", "to", "open", "the", "window"}, -1},
      {{"release", "notes"}, 0},
      {{"el", "comando", "is", "the"}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words.front());
    const int score = tools::spanish_score(c.words);
    EXPECT_EQ((score > 0) - (score < 0), c.sign);
  }
}

TEST(CorpusWords, DocumentsSpreadOverTheBuckets) {
  std::set<unsigned> buckets;
  std::size_t held_out = 0;
  for (int i = 0; i < 2000; ++i) {
    const unsigned b = tools::document_bucket("gimp/usr/share/gimp/2.0/help/es/page" + std::to_string(i) + ".html");
    ASSERT_LT(b, 100u);
    buckets.insert(b);
    held_out += b < 25;
  }
  EXPECT_EQ(buckets.size(), 100u);
  EXPECT_NEAR(static_cast<double>(held_out) / 2000, 0.25, 0.04);
  EXPECT_EQ(tools::document_bucket("a/b.html"), tools::document_bucket("a/b.html"));
}

}  // namespace
