#pragma once

#include <string_view>

// Byte classes of code page 1252 text: where words end, vowels, consonants, and the case
// style of a word. Pure functions of their input, independent of the C locale.

namespace text {

bool is_separator_byte(unsigned char b);

// True when the first byte of `t` is a separator; the empty text is not one.
inline bool is_separator(std::string_view t) {
  return !t.empty() && is_separator_byte(static_cast<unsigned char>(t.front()));
}

bool is_vowel(unsigned char b);
bool is_consonant(unsigned char b);

// 0 none of the others, 1 all small (and the empty word), 2 capitalised (A-Z first, the rest
// small), 3 all capitals. The codes are the modes of apply_case_style.
enum : int { case_style_other = 0, case_style_small = 1, case_style_capitalised = 2, case_style_capitals = 3 };
int case_style(std::string_view word);

}  // namespace text
