#include "text/counts.h"

#include <array>

#include "text/char_classes.h"
#include "text/code_page_1252.h"

namespace text {

namespace {

template <typename InClass>
std::int64_t count_bytes(std::string_view text, InClass in_class) {
  std::int64_t count = 0;
  for (char c : text) count += in_class(static_cast<unsigned char>(c));
  return count;
}

constexpr std::array<bool, 256> letters = [] {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = cp1252::is_alpha(static_cast<unsigned char>(b));
  return table;
}();

}  // namespace

std::int64_t count_characters(std::string_view text) { return static_cast<std::int64_t>(text.size()); }

std::int64_t count_vowels(std::string_view text) { return count_bytes(text, is_vowel); }

std::int64_t count_consonants(std::string_view text) { return count_bytes(text, is_consonant); }

std::int64_t count_word_fragments(std::string_view text) {
  // A word token starts at a word byte that follows a separator or the start of the text;
  // letters are never separators, so a letter after a separator starts a counted token.
  std::int64_t count = 0;
  bool after_separator = true;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    count += after_separator & letters[b];
    after_separator = is_separator_byte(b);
  }
  return count;
}

}  // namespace text
