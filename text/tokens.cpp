#include "text/tokens.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "text/char_classes.h"

namespace text {

TokenList split_text(std::string_view text) {
  // A token starts at the first byte, at every separator and right after every separator.
  // Counting first sizes the offsets exactly; both passes run without a branch per byte, which
  // matters on running text where a word ends every few bytes.
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  if (n > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("text too long to split");
  std::size_t count = 0;
  bool after_separator = true;
  for (std::size_t i = 0; i < n; ++i) {
    const bool separator = is_separator_byte(bytes[i]);
    count += separator | after_separator;
    after_separator = separator;
  }

  TokenList tokens;
  tokens.text_ = text;
  tokens.count_ = count;
  tokens.starts_ = std::make_unique_for_overwrite<std::uint32_t[]>(count + 1);
  std::uint32_t* starts = tokens.starts_.get();
  std::size_t k = 0;
  after_separator = true;
  for (std::size_t i = 0; i < n; ++i) {
    const bool separator = is_separator_byte(bytes[i]);
    starts[k] = static_cast<std::uint32_t>(i);  // kept only when a token starts here; overwritten otherwise
    k += separator | after_separator;
    after_separator = separator;
  }
  starts[count] = static_cast<std::uint32_t>(n);
  return tokens;
}

TokenList prepare_tokens(std::string& text, bool replace_line_breaks) {
  if (replace_line_breaks) std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return split_text(text);
}

}  // namespace text
