#include "text/function_words.h"

#include <algorithm>
#include <array>

#include "text/code_page_1252.h"

namespace text {

namespace {

// clang-format off
constexpr std::array<std::string_view, 55> function_words = {
    "el", "la", "los", "las", "del",
    "este", "esta", "ese", "esa", "aquel", "aquella", "estos", "estas", "esos", "esas", "aquellos", "aquellas",
    "un", "una", "unos", "unas",
    "a", "ante", "bajo", "cabe", "con", "contra", "de", "desde", "durante", "en", "entre", "hacia", "hasta",
    "mediante", "para", "por", "seg\xFAn", "sin", "so", "sobre", "tras", "versus", "v\xED" "a",
    "y", "o", "u", "e",
    "que", "qu\xE9", "cuando", "c\xF3mo", "como", "donde", "d\xF3nde",
};
// clang-format on

constexpr std::size_t longest_function_word = [] {
  std::size_t longest = 0;
  for (std::string_view w : function_words) longest = std::max(longest, w.size());
  return longest;
}();

}  // namespace

bool is_content_word(std::string_view word) {
  if (word.empty() || word.size() > longest_function_word) return true;
  char lower[longest_function_word];
  std::transform(word.begin(), word.end(), lower,
                 [](char c) { return static_cast<char>(cp1252::to_lower(static_cast<unsigned char>(c))); });
  const std::string_view lowered(lower, word.size());
  return std::find(function_words.begin(), function_words.end(), lowered) == function_words.end();
}

}  // namespace text
