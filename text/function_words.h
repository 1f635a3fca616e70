#pragma once

#include <string_view>

// The Spanish function words (articles, demonstratives, prepositions, conjunctions and a few
// relative and interrogative words) that the repetition report leaves out.

namespace text {

// False when `word` is exactly one of the function words (same bytes, case-sensitive, code
// page 1252); true for every other word, the empty word included.
bool is_content_word(std::string_view word);

}  // namespace text
