#pragma once

// What the case commands need to know about characters outside code page 1252: their simple
// Unicode case mappings (one character to one character, so "ß" stays "ß") and whether they
// are letters or digits.

namespace text::unicode {

char32_t to_upper(char32_t c);
char32_t to_lower(char32_t c);
// The capital that starts a word: the upper case, except for the digraphs Dž, Lj, Nj and Dz.
char32_t to_title(char32_t c);
bool is_letter(char32_t c);
// A decimal digit (general category Nd): "٣", "３".
bool is_digit(char32_t c);

}  // namespace text::unicode
