#include "text/tokens.h"

#include <algorithm>

#include "text/char_classes.h"

namespace text {

TokenList split_text(std::string_view text) {
  TokenList tokens;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_separator_byte(static_cast<unsigned char>(text[i]))) continue;
    if (i > start) tokens.push_back(text.substr(start, i - start));
    tokens.push_back(text.substr(i, 1));
    start = i + 1;
  }
  if (start < text.size()) tokens.push_back(text.substr(start));
  return tokens;
}

TokenList prepare_tokens(std::string& text, bool replace_line_breaks) {
  if (replace_line_breaks) std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return split_text(text);
}

}  // namespace text
