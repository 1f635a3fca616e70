#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page_text.h"

// Capitalisation of code page 1252 text. Every conversion keeps the text's length.

namespace text {

// The three case commands, in place on a whole text, its foreign characters too; each returns
// true when anything changed. to_mixed_case: each letter that starts the text or follows a
// character that is neither a letter nor a digit becomes a capital, every other letter small:
// "hola MUNDO" gives "Hola Mundo", "3er piso" gives "3er Piso", "o'neil" gives "O'Neil".
bool to_upper_case(CodePageText& text);
bool to_lower_case(CodePageText& text);
bool to_mixed_case(CodePageText& text);

// Small letters of plain code page bytes, for word keys.
std::string to_lower_case(std::string_view text);
void lower_case_in_place(char* bytes, std::size_t size);

enum class CaseChange { upper, lower, mixed };
bool change_case(CodePageText& text, CaseChange change);

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

}  // namespace text
