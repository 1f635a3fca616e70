#include <gtest/gtest.h>

#include <string>

#include "accents/context_model.h"

namespace {

TEST(ContextReader, TokensAroundAWord) {
  // clang-format off
  const struct {
    std::string text, word;  // the word's first occurrence in the text
    std::string before0, before1, after0, after1;
  } cases[] = {
      {"\xBF" "Como esta usted?", "esta", "como", "\xBF", "usted", "?"},
      // Small letters without acute accents, whatever the text wrote.
      {"\xC9L EST\xC1 AQU\xCD hoy", "EST\xC1", "el", "", "aqui", "hoy"},
      // A line break is a boundary, and nothing beyond it counts; so are the text's ends.
      {"uno\r\ndos tres", "dos", "", "", "tres", ""},
      {"uno dos\ntres", "dos", "uno", "", "", ""},
      // Spaces of any kind are skipped; digits are one token; each mark is one.
      {"el 12\xA0" "de\tmayo, 2024", "de", "0", "el", "mayo", ","},
      {"dijo:\x97" "que \xABs\xED\xBB", "que", "\x97", ":", "\xAB", "si"},
      // Hyphen and apostrophe stay inside words.
      {"o'neil esta e-mail", "esta", "o'neil", "", "e-mail", ""},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    accents::ContextReader reader;
    const accents::WordContext& context = reader.around(c.text, c.text.find(c.word), c.word.size());
    EXPECT_EQ(context.before[0], c.before0);
    EXPECT_EQ(context.before[1], c.before1);
    EXPECT_EQ(context.after[0], c.after0);
    EXPECT_EQ(context.after[1], c.after1);
    for (std::size_t k = 0; k < accents::context_reach; ++k) {
      EXPECT_EQ(context.before_hashes[k], accents::token_hash(context.before[k]));
      EXPECT_EQ(context.after_hashes[k], accents::token_hash(context.after[k]));
    }
  }
}

TEST(ContextReader, LongWordsAreCutToTheTokenLimit) {
  const std::string text = std::string(100, 'A') + " de " + std::string(100, 'b');
  accents::ContextReader reader;
  const accents::WordContext& context = reader.around(text, 101, 2);
  EXPECT_EQ(context.before[0], std::string(accents::context_token_limit, 'a'));
  EXPECT_EQ(context.after[0], std::string(accents::context_token_limit, 'b'));
}

TEST(ContextReader, FeatureKeysDependOnEveryPart) {
  const std::uint64_t a = accents::token_hash("a"), b = accents::token_hash("b"), none = accents::token_hash("");
  const std::uint64_t key = accents::feature_key(3, accents::ContextFeature::one_before, a, none);
  EXPECT_NE(key, accents::feature_key(4, accents::ContextFeature::one_before, a, none));
  EXPECT_NE(key, accents::feature_key(3, accents::ContextFeature::one_after, a, none));
  EXPECT_NE(key, accents::feature_key(3, accents::ContextFeature::one_before, b, none));
  EXPECT_NE(accents::feature_key(3, accents::ContextFeature::two_before, a, b),
            accents::feature_key(3, accents::ContextFeature::two_before, b, a));
  // Tokens of different lengths whose bytes pad alike.
  EXPECT_NE(accents::token_hash(std::string(1, '\0')), none);
  EXPECT_NE(accents::token_hash("abcdefgh"), accents::token_hash(std::string("abcdefgh\0", 9)));
}

}  // namespace
