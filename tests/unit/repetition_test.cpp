#include "text/repetition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "text/function_words.h"
#include "text/tokens.h"

namespace {

const std::string heading = "Este trozo de texto tiene ";
const std::string more = " palabra(s) m\xE1s repetidas\r\n";
const std::string none = "No Repite palabras claramente ...";

std::string listing(std::size_t n, const std::string& list) { return heading + std::to_string(n) + more + list; }

TEST(Repetition, ReportTexts) {
  // clang-format off
  const struct {
    std::string text;
    std::string report;
  } cases[] = {
      {"", none},
      {"casa casa perro", listing(2, "casa,casa")},
      // A word that occurs once is never repeated, however short the text.
      {"casa perro gato", none},
      // Function words whatever their capitals; other words compared regardless of capitals and
      // listed as written.
      {"El perro. El gato.", none},
      {"El perro y el gato, el perro", listing(2, "perro,perro")},
      {"Casa casa CASA perro", listing(3, "Casa,casa,CASA")},
      {"\xC1rbol \xE1rbol \xE1RBOL", listing(3, "\xC1rbol,\xE1rbol,\xE1RBOL")},
      {"casa\r\ncasa", listing(2, "casa,casa")},
      {"\x97Perro \x97" "dijo\xA0perro\x97.", listing(2, "Perro,perro")},
      {"\xBFQu\xE9 pas\xF3? \xA1Pas\xF3!", listing(2, "pas\xF3,Pas\xF3")},
      {"de la y que De LA", none},
      {"2020 2020", none},
      {" ,.\r\n\t\xAB\xBB", none},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(text::word_repetition_report(c.text), c.report);
  }
}

// T tokens in all: "casa" `needed` times, "perro" one time fewer, all cut by full stops.
std::string text_with(std::size_t total, std::size_t needed) {
  std::string text = "casa";
  for (std::size_t i = 1; i < needed; ++i) text += ".casa";
  for (std::size_t i = 1; i < needed; ++i) text += ".perro";
  text.append(total - (4 * needed - 3), '.');
  return text;
}

std::string repeated_list(std::size_t n, const std::string& word) {
  std::string list = word;
  for (std::size_t i = 1; i < n; ++i) list += "," + word;
  return list;
}

TEST(Repetition, ThresholdGrowsWithTheNumberOfTokens) {
  // The single-precision factor is slightly above 0.0041: at 10,000 tokens 41 occurrences fall
  // short of the threshold 41.0000002 and 42 reach it. Below 488 tokens two occurrences do.
  const struct {
    std::size_t tokens, needed;
  } cases[] = {
      {5, 2}, {243, 2}, {244, 2}, {487, 2}, {488, 3}, {1000, 5}, {10000, 42}, {20000, 83}, {102400, 420},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tokens);
    const std::string text = text_with(c.tokens, c.needed);
    const text::Tokens tokens = text::split_text(text);
    ASSERT_EQ(static_cast<std::size_t>(std::distance(tokens.begin(), tokens.end())), c.tokens);
    EXPECT_EQ(text::word_repetition_report(text), listing(c.needed, repeated_list(c.needed, "casa")));
  }
}

TEST(Repetition, ListStopsAfterAThousandOccurrencesButTheCountDoesNot) {
  std::string text;
  for (int i = 0; i < 250000; ++i) text += "casa ";
  const std::string report = text::word_repetition_report(text);
  EXPECT_EQ(report, listing(250000, repeated_list(1000, "casa") + ",..."));

  text.clear();
  for (int i = 0; i < 1000; ++i) text += "Casa ";
  EXPECT_EQ(text::word_repetition_report(text), listing(1000, repeated_list(1000, "Casa")));
}

TEST(Repetition, LongWordsAreComparedOn256BytesAndListedWith255) {
  const std::string stem(256, 'x');
  // The first two words differ only after byte 256; the third differs at byte 256.
  const std::string text =
      stem + "aaaa " + stem + "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb " + stem.substr(0, 255) + "y";
  EXPECT_EQ(text::word_repetition_report(text), listing(2, stem.substr(0, 255) + "," + stem.substr(0, 255)));
}

// The report as its definition reads: for every word token, its occurrences counted by comparing
// it, in small letters and on its first 256 bytes, with every token.
// `cut_by_threshold` counts the repeated occurrences that fall short of the threshold.
std::string pairwise_report(const std::string& clipboard, std::size_t& cut_by_threshold) {
  std::vector<std::string> tokens;
  for (const std::string_view token : text::split_text(clipboard)) tokens.emplace_back(token);
  const auto folded = [](const std::string& w) { return text::to_lower_case(w.substr(0, 256)); };
  const double threshold = 0.0041000000201165676116943359375 * static_cast<double>(tokens.size());
  std::vector<std::string> repeated;
  for (const auto& w : tokens) {
    if (text::is_separator(w) || !text::is_content_word(w.substr(0, 256))) continue;
    long n = 0;
    for (const auto& other : tokens)
      if (!text::is_separator(other) && folded(other) == folded(w)) ++n;
    if (n >= 2 && n >= threshold) repeated.push_back(w.substr(0, 255));
    cut_by_threshold += n >= 2 && n < threshold;
  }
  if (repeated.empty()) return none;
  std::string list;
  for (std::size_t i = 0; i < std::min<std::size_t>(repeated.size(), 1000); ++i) list += (i ? "," : "") + repeated[i];
  if (repeated.size() > 1000) list += ",...";
  return listing(repeated.size(), list);
}

TEST(Repetition, OnePassCountMatchesPairwiseCountOnRandomTexts) {
  // Few words, so they repeat; function words, capitals, accents, digits and line breaks mixed
  // in; lengths around the thresholds at 487/488 tokens.
  // clang-format off
  const std::string words[] = {
      "casa", "Casa", "CASA", "perro", "de", "De", "el", "El", "y", "que", "qu\xE9", "a\xF1o", "A\xD1O", "e-mail",
      "l'amour", "v\xED" "a", "via", std::string(260, 'z') + "1", std::string(258, 'Z') + "2", std::string(255, 'z'),
  };
  // clang-format on
  // clang-format off
  const std::string separators[] = {" ", " ", " ", ", ", ". ", "\r\n", "7", "\xBF", "  ", "\x97", "\xA0"};
  // clang-format on
  std::mt19937 random(20261210);
  int rounds_listing = 0, rounds_cut = 0;
  for (int round = 0; round < 150; ++round) {
    const std::size_t pieces = std::uniform_int_distribution<std::size_t>(0, 400)(random);
    const std::size_t vocabulary = std::uniform_int_distribution<std::size_t>(1, std::size(words))(random);
    std::string clipboard;
    for (std::size_t i = 0; i < pieces; ++i) {
      if (random() % 2) {
        clipboard += words[std::uniform_int_distribution<std::size_t>(0, vocabulary - 1)(random)];
      } else {
        // Short words over a small alphabet: some frequent, many rare.
        for (std::size_t length = 1 + random() % 3; length > 0; --length) clipboard += "abA\xF1"[random() % 4];
      }
      clipboard += separators[std::uniform_int_distribution<std::size_t>(0, std::size(separators) - 1)(random)];
    }
    SCOPED_TRACE("round " + std::to_string(round));
    std::size_t cut = 0;
    const std::string expected = pairwise_report(clipboard, cut);
    EXPECT_EQ(text::word_repetition_report(clipboard), expected);
    rounds_listing += expected != none;
    rounds_cut += cut > 0;
  }
  // Words must reach the threshold in some rounds and fall short of it in others.
  EXPECT_GT(rounds_listing, 30);
  EXPECT_GT(rounds_cut, 30);
}

}  // namespace
