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

// For each byte: 1 when it is a letter, 2 when it is a separator.
constexpr std::array<unsigned char, 256> word_classes = [] {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b)
    table[b] =
        static_cast<unsigned char>(cp1252::is_alpha(static_cast<unsigned char>(b)) | (byte_tables::separators[b] << 1));
  return table;
}();

}  // namespace

std::int64_t count_characters(std::string_view text) { return static_cast<std::int64_t>(text.size()); }

std::int64_t count_vowels(std::string_view text) { return count_bytes(text, is_vowel); }

std::int64_t count_consonants(std::string_view text) { return count_bytes(text, is_consonant); }

std::int64_t count_word_fragments(std::string_view text) {
  // A word token starts at a word byte that follows a separator or the start of the text;
  // letters are never separators, so a letter after a separator starts a counted token. One
  // table look-up per byte, no branch, eight bytes a round.
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t n = text.size();
  std::int64_t count = 0;
  unsigned previous = 2;
  const auto starts = [](unsigned before, unsigned current) { return (before >> 1) & current; };
  for (; n >= 8; p += 8, n -= 8) {
    unsigned c[8];
    for (int k = 0; k < 8; ++k) c[k] = word_classes[p[k]];
    count += (starts(previous, c[0]) + starts(c[0], c[1])) + (starts(c[1], c[2]) + starts(c[2], c[3])) +
             (starts(c[3], c[4]) + starts(c[4], c[5])) + (starts(c[5], c[6]) + starts(c[6], c[7]));
    previous = c[7];
  }
  for (; n > 0; ++p, --n) {
    const unsigned current = word_classes[*p];
    count += starts(previous, current);
    previous = current;
  }
  return count;
}

}  // namespace text
