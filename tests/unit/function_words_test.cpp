#include "text/function_words.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FunctionWords, TheListIsExact) {
  const char* const listed[] = {
      "el", "la", "los", "las", "del", "este", "esta", "ese", "esa", "aquel", "aquella", "estos", "estas",
      "esos", "esas", "aquellos", "aquellas", "un", "una", "unos", "unas", "a", "ante", "bajo", "cabe",
      "con", "contra", "de", "desde", "durante", "en", "entre", "hacia", "hasta", "mediante", "para",
      "por", "seg\xFAn", "sin", "so", "sobre", "tras", "versus", "v\xED" "a", "y", "o", "u", "e", "que",
      "qu\xE9", "cuando", "c\xF3mo", "como", "donde", "d\xF3nde",
  };
  ASSERT_EQ(std::size(listed), 55u);
  for (const char* word : listed) {
    SCOPED_TRACE(word);
    EXPECT_FALSE(text::is_content_word(word));
  }
}

TEST(FunctionWords, EverythingElseIsAContentWord) {
  const std::string content[] = {
      "",       "De",      "DE",     "El",    "Y",     "cu\xE1ndo", "al",     "lo",     "se",
      "no",     "pero",    "esto",   "eso",   "aquello", "de,",     " de",    "de ",    "segun",
      "via",    "dond\xE9", "mediantes", "aquellass", "casa", "\xE9l", "Qu\xE9", std::string("de\0", 3),
  };
  for (const auto& word : content) {
    SCOPED_TRACE(word);
    EXPECT_TRUE(text::is_content_word(word));
  }
}

}  // namespace
