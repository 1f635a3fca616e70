#include "text/function_words.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FunctionWords, ArticlesPrepositionsConjunctionsWhateverTheirCapitals) {
  // clang-format off
  const char* const function_words[] = {
      "el", "El", "EL", "la", "los", "las", "del", "este", "esta", "aquellas", "un", "unas", "a", "A",
      "ante", "con", "de", "De", "DE", "entre", "mediante", "para", "por", "seg\xFAn", "SEG\xDAN", "v\xED" "a",
      "y", "Y", "o", "u", "e", "que", "qu\xE9", "Qu\xE9", "cuando", "c\xF3mo", "como", "donde", "D\xF3nde",
  };
  // clang-format on
  for (const char* word : function_words) {
    SCOPED_TRACE(word);
    EXPECT_FALSE(text::is_content_word(word));
  }
}

TEST(FunctionWords, EverythingElseIsAContentWord) {
  // clang-format off
  const std::string content[] = {
      "",       "cu\xE1ndo", "al",      "lo",     "se",  "no",   "pero",      "esto",      "eso",
      "aquello", "de,",     " de",     "de ",    "segun", "via", "dond\xE9",  "mediantes", "aquellass",
      "casa",   "\xE9l",     std::string("de\0", 3),
  };
  // clang-format on
  for (const auto& word : content) {
    SCOPED_TRACE(word);
    EXPECT_TRUE(text::is_content_word(word));
  }
}

}  // namespace
