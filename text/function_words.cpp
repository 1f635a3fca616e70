#include "text/function_words.h"

#include <algorithm>
#include <array>

namespace text {

namespace {

// Written in small letters only: "De" at the start of a sentence is a content word.
constexpr std::array<std::string_view, 55> function_words = {
    "el", "la", "los", "las", "del",
    "este", "esta", "ese", "esa", "aquel", "aquella", "estos", "estas", "esos", "esas", "aquellos", "aquellas",
    "un", "una", "unos", "unas",
    "a", "ante", "bajo", "cabe", "con", "contra", "de", "desde", "durante", "en", "entre", "hacia", "hasta",
    "mediante", "para", "por", "seg\xFAn", "sin", "so", "sobre", "tras", "versus", "v\xED" "a",
    "y", "o", "u", "e",
    "que", "qu\xE9", "cuando", "c\xF3mo", "como", "donde", "d\xF3nde",
};

static_assert(std::none_of(function_words.begin(), function_words.end(), [](std::string_view w) { return w.empty(); }),
              "every one of the 55 entries is filled");

constexpr std::size_t longest_function_word = [] {
  std::size_t longest = 0;
  for (std::string_view w : function_words) longest = std::max(longest, w.size());
  return longest;
}();

}  // namespace

bool is_content_word(std::string_view word) {
  if (word.empty() || word.size() > longest_function_word) return true;
  return std::find(function_words.begin(), function_words.end(), word) == function_words.end();
}

}  // namespace text
