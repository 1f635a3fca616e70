#include "text/repetition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/char_classes.h"
#include "text/function_words.h"

namespace {

using Strings = std::vector<std::string>;

Strings as_strings(const text::RepeatedWords& words) { return {words.begin(), words.end()}; }

std::string report_of(std::string clipboard) {
  return text::word_repetition_report(text::prepare_tokens(clipboard, true));
}

TEST(Repetition, ReportTexts) {
  const std::string heading = "Este trozo de texto tiene ";
  const std::string more = " palabra(s) m\xE1s repetidas\r\n";
  const struct {
    std::string clipboard;
    std::string report;
  } cases[] = {
      {"", "No Repite palabras claramente ..."},
      {"casa casa perro", heading + "3" + more + "casa,casa,perro"},
      {"El perro y el gato", heading + "3" + more + "El,perro,gato"},
      {"Casa casa", heading + "2" + more + "Casa,casa"},
      {"casa\r\ncasa", heading + "2" + more + "casa,casa"},
      {"\xBFQu\xE9 pas\xF3? \xA1Nada!", heading + "3" + more + "Qu\xE9,pas\xF3,Nada"},
      {"de la y que", "No Repite palabras claramente ..."},
      {"2020 2020", "No Repite palabras claramente ..."},
      {" ,.\r\n\t\xAB\xBB", "No Repite palabras claramente ..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clipboard);
    EXPECT_EQ(report_of(c.clipboard), c.report);
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

TEST(Repetition, ThresholdGrowsWithTheNumberOfTokens) {
  // The single-precision factor is slightly above 0.0041: at 10,000 tokens 41 occurrences fall
  // short of the threshold 41.0000002 and 42 reach it.
  const struct {
    std::size_t tokens, needed;
  } cases[] = {
      {1, 1}, {243, 1}, {244, 2}, {487, 2}, {488, 3}, {1000, 5}, {10000, 42}, {20000, 83}, {102400, 420},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tokens);
    const std::string text = text_with(c.tokens, c.needed);
    const auto tokens = text::split_text(text);
    ASSERT_EQ(tokens.size(), c.tokens);
    EXPECT_EQ(as_strings(text::find_repeated_words(tokens)), Strings(c.needed, "casa"));
  }
}

TEST(Repetition, LongWordsAreComparedOn256BytesAndListedWith255) {
  const std::string stem(256, 'x');
  // 300 tokens ask for 2 occurrences. The first two words differ only after byte 256; the
  // third differs at byte 256 and stays alone.
  std::string clipboard = stem + "aaaa " + stem + "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb " +
                          stem.substr(0, 255) + "y" + " " + std::string(294, '.');
  const auto tokens = text::prepare_tokens(clipboard, true);
  ASSERT_EQ(tokens.size(), 300u);
  EXPECT_EQ(as_strings(text::find_repeated_words(tokens)), Strings(2, stem.substr(0, 255)));
}

// The report as its definition reads: tokens held in space-padded 256-byte fields, and for
// every word token its occurrences counted by comparing it with every token.
Strings pairwise_repeated_words(const text::TokenList& tokens) {
  const auto field = [](std::string_view token) {
    std::string f(token.substr(0, 256));
    f.resize(256, ' ');
    return f;
  };
  const auto read_back = [](const std::string& f) {
    const auto first = f.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return f.substr(first, f.find_last_not_of(' ') - first + 1);
  };
  std::vector<std::string> entries;
  for (auto token : tokens) entries.push_back(read_back(field(token)));

  const double threshold = 0.0041000000201165676116943359375 * static_cast<double>(entries.size());
  Strings repeated;
  for (const auto& w : entries) {
    if (text::is_separator(w) || w.empty()) continue;
    long n = 0;
    for (const auto& other : entries)
      if (other == w && text::is_content_word(w)) ++n;
    if (n >= threshold) repeated.push_back(w.substr(0, 255));
  }
  return repeated;
}

TEST(Repetition, OnePassCountMatchesPairwiseCountOnRandomTexts) {
  // Few words, so they repeat; function words, capitals, accents, digits and line breaks mixed
  // in; lengths around the thresholds at 243/244 and 487/488 tokens.
  const std::string words[] = {
      "casa", "Casa", "CASA", "perro", "de", "De", "el", "El", "y", "que", "qu\xE9", "a\xF1o", "e-mail",
      "l'amour", "v\xED" "a", "via", std::string(260, 'z') + "1", std::string(258, 'z') + "2", std::string(255, 'z'),
  };
  const std::string separators[] = {" ", " ", " ", ", ", ". ", "\r\n", "7", "\xBF", "  "};
  std::mt19937 random(20261210);
  int rounds_with_some_left_out = 0;
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
    const auto tokens = text::prepare_tokens(clipboard, true);
    SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(tokens.size()) + " tokens");
    const Strings expected = pairwise_repeated_words(tokens);
    EXPECT_EQ(as_strings(text::find_repeated_words(tokens)), expected);
    const auto content_words = std::count_if(tokens.begin(), tokens.end(), [](std::string_view t) {
      return !text::is_separator(t) && text::is_content_word(t.substr(0, 256));
    });
    rounds_with_some_left_out += !expected.empty() && static_cast<long>(expected.size()) < content_words;
  }
  // The texts must reach the threshold for some words and miss it for others.
  EXPECT_GT(rounds_with_some_left_out, 50);
}

}  // namespace
