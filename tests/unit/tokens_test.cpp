#include "text/tokens.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/char_classes.h"

namespace {

std::vector<std::string> as_strings(const text::TokenList& tokens) {
  return {tokens.begin(), tokens.end()};
}

using Strings = std::vector<std::string>;

TEST(Tokens, SplitTextExamples) {
  const struct {
    std::string text;
    Strings tokens;
  } cases[] = {
      {"", {}},
      {"Hola, mundo.", {"Hola", ",", " ", "mundo", "."}},
      {"  ", {" ", " "}},
      {"a\xF1o2020", {"a\xF1o", "2", "0", "2", "0"}},
      {"rock-and-roll l'amour", {"rock-and-roll", " ", "l'amour"}},
      {"seg\xFAn\r\nya", {"seg\xFAn", "\r", "\n", "ya"}},
      {"\xBF" "Qu\xE9?", {"\xBF", "Qu\xE9", "?"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(as_strings(text::split_text(c.text)), c.tokens);
  }
}

TEST(Tokens, SplitIsLosslessForLongWords) {
  const std::string text = std::string(300, 'x') + " y";
  const auto tokens = text::split_text(text);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].size(), 300u);
  std::string joined;
  for (auto t : tokens) joined += t;
  EXPECT_EQ(joined, text);
}

TEST(Tokens, EveryByteLandsInExactlyOneTokenOnRandomTexts) {
  std::mt19937 random(4);
  for (int round = 0; round < 200; ++round) {
    std::string text(random() % 64, '\0');
    for (char& c : text) c = static_cast<char>(random() % 3 ? "ab \xE1.\r"[random() % 6] : random() % 256);
    SCOPED_TRACE(text);
    const auto tokens = text::split_text(text);
    std::string joined;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const std::string_view token = tokens[i];
      ASSERT_FALSE(token.empty());
      if (text::is_separator(token)) {
        EXPECT_EQ(token.size(), 1u);
      } else {
        for (char c : token) EXPECT_FALSE(text::is_separator_byte(static_cast<unsigned char>(c)));
        // Word tokens are maximal: two never follow each other.
        if (i > 0) {
          EXPECT_TRUE(text::is_separator(tokens[i - 1]));
        }
      }
      joined += token;
    }
    EXPECT_EQ(joined, text);
  }
}

TEST(Tokens, PrepareTokensReplacesLineBreaksOnlyWhenAsked) {
  std::string kept = "uno\r\ndos";
  EXPECT_EQ(as_strings(text::prepare_tokens(kept, false)), (Strings{"uno", "\r", "\n", "dos"}));
  EXPECT_EQ(kept, "uno\r\ndos");

  std::string replaced = "uno\r\ndos";
  EXPECT_EQ(as_strings(text::prepare_tokens(replaced, true)), (Strings{"uno", " ", " ", "dos"}));
  EXPECT_EQ(replaced, "uno  dos");
}

TEST(Tokens, TrimmedTokenReadsSpacesBackEmpty) {
  std::string t = "Hola, mundo.";
  Strings read;
  for (auto token : text::split_text(t)) read.emplace_back(text::trimmed_token(token));
  EXPECT_EQ(read, (Strings{"Hola", ",", "", "mundo", "."}));
}

}  // namespace
