#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page_text.h"

// Capitalisation of code page 1252 text. Every conversion keeps the text's length.

namespace text {

std::string to_upper_case(std::string_view text);
std::string to_lower_case(std::string_view text);

// Each letter that starts the text or follows a character that is neither a letter nor a digit
// becomes a capital, every other letter small: "hola MUNDO" gives "Hola Mundo", "3er piso"
// gives "3er Piso", "o'neil" gives "O'Neil".
std::string to_mixed_case(std::string_view text);

// to_lower_case on bytes [bytes, bytes + size), in place.
void lower_case_in_place(char* bytes, std::size_t size);

enum class CaseChange { upper, lower, mixed };

// Rewrites texts piece by piece as one text (a piece may end in the middle of a word, though
// not between the two halves of a surrogate pair). The
// characters the code page cannot hold take their own Unicode case mappings ("ń" → "Ń",
// "Ω" → "ω"), never their stand-in's.
class CaseChanger {
 public:
  explicit CaseChanger(CaseChange change) : change_(change) {}
  // True when anything in the piece changed.
  bool apply(CodePageText& piece);

 private:
  CaseChange change_;
  bool capital_next_ = true;
};

inline bool change_case(CodePageText& text, CaseChange change) { return CaseChanger(change).apply(text); }

}  // namespace text
