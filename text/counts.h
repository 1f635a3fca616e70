#pragma once

#include <cstdint>
#include <string_view>

#include "text/tokens.h"

// The counts the count commands report: bytes, vowels, consonants, and words or word fragments.

namespace text {

// One per byte: under code page 1252 one per character, 2 for a CR LF line break.
std::int64_t count_characters(std::string_view text);

// Bytes for which is_vowel / is_consonant holds, each byte on its own.
std::int64_t count_vowels(std::string_view text);
std::int64_t count_consonants(std::string_view text);

// Tokens whose first byte is an ASCII letter. A word cut by a digit or a punctuation mark
// counts once per piece that begins with a letter; a word that begins with an accented letter
// or ñ does not count.
std::int64_t count_word_fragments(const TokenList& tokens);

}  // namespace text
