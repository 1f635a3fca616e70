#pragma once

#include <cstdint>
#include <string_view>

// The counts the count commands report: bytes, vowels, consonants, and words or word fragments.

namespace text {

// One per byte: one per character, 2 for a CR LF line break.
std::int64_t count_characters(std::string_view text);

// Bytes for which is_vowel / is_consonant holds, each byte on its own.
std::int64_t count_vowels(std::string_view text);
std::int64_t count_consonants(std::string_view text);

// Word tokens (tokens.h) that begin with a letter of the code page, accented letters and ñ
// included. A word cut by a digit or a punctuation mark counts once per piece that begins with
// a letter ("3er piso" gives 2).
std::int64_t count_word_fragments(std::string_view text);

}  // namespace text
