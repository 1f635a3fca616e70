#include "text/tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
