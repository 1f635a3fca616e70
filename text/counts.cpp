#include "text/counts.h"

#include "text/char_classes.h"

namespace text {

namespace {

template <typename InClass>
std::int64_t count_bytes(std::string_view text, InClass in_class) {
  std::int64_t count = 0;
  for (char c : text) count += in_class(static_cast<unsigned char>(c));
  return count;
}

bool is_ascii_letter(unsigned char b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }

}  // namespace

std::int64_t count_characters(std::string_view text) { return static_cast<std::int64_t>(text.size()); }

std::int64_t count_vowels(std::string_view text) { return count_bytes(text, is_vowel); }

std::int64_t count_consonants(std::string_view text) { return count_bytes(text, is_consonant); }

std::int64_t count_word_fragments(const TokenList& tokens) {
  std::int64_t count = 0;
  for (std::string_view token : tokens) count += !token.empty() && is_ascii_letter(static_cast<unsigned char>(token.front()));
  return count;
}

}  // namespace text
