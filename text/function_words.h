#pragma once

#include <string_view>

// The Spanish function words (articles, demonstratives, prepositions, conjunctions and a few
// relative and interrogative words) that the repetition report leaves out.

namespace text {

// False when `word`, in small letters, is one of the function words ("de", "De" and "DE"
// alike); true for every other word, the empty word included.
bool is_content_word(std::string_view word);

}  // namespace text
