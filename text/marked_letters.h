#pragma once

#include <array>

// The letters Spanish writes with a mark, as code page 1252 spells them: the vowels with an
// acute accent, ñ and ü, small and capital. Constant expressions, so that byte tables can be
// built from them at compile time.

namespace text {

enum class Mark : unsigned char { none, acute, tilde, diaeresis };

namespace marked_letters_detail {

struct MarkedLetter {
  unsigned char marked;
  unsigned char plain;
  Mark mark;
};

inline constexpr MarkedLetter letters[] = {
    {0xE1, 'a', Mark::acute},     {0xE9, 'e', Mark::acute},     {0xED, 'i', Mark::acute}, {0xF3, 'o', Mark::acute},
    {0xFA, 'u', Mark::acute},     {0xC1, 'A', Mark::acute},     {0xC9, 'E', Mark::acute}, {0xCD, 'I', Mark::acute},
    {0xD3, 'O', Mark::acute},     {0xDA, 'U', Mark::acute},     {0xF1, 'n', Mark::tilde}, {0xD1, 'N', Mark::tilde},
    {0xFC, 'u', Mark::diaeresis}, {0xDC, 'U', Mark::diaeresis},
};

// The same facts as tables by byte: restoration asks about every vowel of every word.
constexpr std::array<MarkedLetter, 256> make_by_marked() {
  std::array<MarkedLetter, 256> table{};
  for (const MarkedLetter& l : letters) table[l.marked] = l;
  return table;
}
inline constexpr std::array<MarkedLetter, 256> by_marked = make_by_marked();

constexpr std::array<unsigned char, 256> make_acutes() {
  std::array<unsigned char, 256> table{};
  for (const MarkedLetter& l : letters)
    if (l.mark == Mark::acute) table[l.plain] = l.marked;
  return table;
}
inline constexpr std::array<unsigned char, 256> acutes = make_acutes();

}  // namespace marked_letters_detail

// The letter `plain` written with `mark` (á for 'a' and acute, Ñ for 'N' and tilde), or 0 when
// Spanish has no such letter.
constexpr unsigned char marked_letter(unsigned char plain, Mark mark) {
  for (const auto& l : marked_letters_detail::letters)
    if (l.plain == plain && l.mark == mark) return l.marked;
  return 0;
}

// The acute vowel of a plain vowel (é for 'e', Ó for 'O'), or 0.
constexpr unsigned char acute_of(unsigned char plain) { return marked_letters_detail::acutes[plain]; }

constexpr bool is_acute_vowel(unsigned char b) { return marked_letters_detail::by_marked[b].mark == Mark::acute; }

// The vowel without its acute accent (a for á, U for Ú); any other byte, ñ and ü too, as it is.
constexpr unsigned char without_acute(unsigned char b) {
  return is_acute_vowel(b) ? marked_letters_detail::by_marked[b].plain : b;
}

// The letter without its mark (a for á, N for Ñ, u for ü); any other byte as it is.
constexpr unsigned char without_mark(unsigned char b) {
  return marked_letters_detail::by_marked[b].mark == Mark::none ? b : marked_letters_detail::by_marked[b].plain;
}

}  // namespace text
