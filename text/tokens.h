#pragma once

#include <string>
#include <string_view>
#include <vector>

// Cutting a text into tokens: a word token is a maximal run of bytes none of which is a
// separator; a separator token is exactly one separator byte. Every byte lands in exactly one
// token and the tokens, read in order, give back the text.

namespace text {

// Views into the text that was split; valid while that text lives unchanged.
using TokenList = std::vector<std::string_view>;

TokenList split_text(std::string_view text);

// What every word command runs on the clipboard text it read: when `replace_line_breaks` is
// set, every CR and LF of `text` becomes a space (in place, same length); then the text is split.
TokenList prepare_tokens(std::string& text, bool replace_line_breaks);

// A token read back with its leading and trailing spaces removed: a space token reads back
// empty, every other token as itself.
inline std::string_view trimmed_token(std::string_view token) {
  return token == " " ? std::string_view{} : token;
}

}  // namespace text
