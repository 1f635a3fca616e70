#include "text/tokens.h"

namespace text {

std::size_t count_tokens(std::string_view text) {
  // A token starts at every separator and at every word byte that does not follow a word byte.
  std::size_t count = 0;
  bool after_word = false;
  for (const char c : text) {
    const bool separator = is_separator_byte(static_cast<unsigned char>(c));
    count += separator | !after_word;
    after_word = !separator;
  }
  return count;
}

}  // namespace text
