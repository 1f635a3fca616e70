#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "accents/accent_dictionary.h"
#include "text/tokens.h"

// "Poner tilde": every word of a text that is not in the accent dictionary gets the first
// one-accent variant the dictionary knows, trying the plain vowels from left to right. Only
// the accent is added; everything else in the text stays exactly as it was.

namespace accents {

// A copy of `text` with the byte at `position` (from 0) replaced; a position past the end gives
// an unchanged copy.
std::string replace_byte_at(std::string_view text, std::size_t position, char byte);

// The accented form of a plain small vowel (a e i o u), or 0 for any other byte.
char accented_vowel(char plain);

// The position of the leftmost plain vowel of `word` (already in small letters) whose
// one-accent variant is in the dictionary, or npos when there is none.
std::size_t accent_position(std::string_view word, const AccentDictionary& dictionary);

// `word` (already in small letters) with that accent added, or unchanged.
std::string accent_variant(std::string_view word, const AccentDictionary& dictionary);

struct AccentRestoration {
  std::string text;               // the rebuilt text
  std::int64_t correction_count = 0;
  std::string correction_list;    // the first 40 corrected words in small letters, each + CR LF
};

inline constexpr std::int64_t max_listed_corrections = 40;

// Rebuilds the text the tokens were split from. A word that is in the dictionary, or has no
// known variant, is copied exactly as written. A corrected word of case style 1, 2 or 3 is the
// variant in that style; one of style 0 keeps every byte as written except the vowel that gets
// the accent, which keeps its own case.
AccentRestoration restore_accents(const text::TokenList& tokens, const AccentDictionary& dictionary);

// The report shown after a run.
std::string correction_report(const AccentRestoration& restoration);

}  // namespace accents
