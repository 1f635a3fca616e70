#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Byte classes of code page 1252 text: where words end, vowels, consonants, and the case
// style of a word. Pure functions of their input, independent of the C locale.

namespace text {

namespace byte_tables {

using ByteSet = std::array<bool, 256>;

constexpr ByteSet make_set(std::string_view members) {
  ByteSet set{};
  for (char c : members) set[static_cast<unsigned char>(c)] = true;
  return set;
}

// Besides spaces, control bytes, digits and punctuation: the typographic marks that Spanish
// text puts right against a word, so that "—Hola", "„dijo“" or a word after a no-break space
// is a word of its own. The hyphen and the apostrophe stay inside words ("e-mail", "O'Neil").
constexpr ByteSet make_separators() {
  ByteSet set = make_set(
      " !\"#$(),./0123456789:;<=>?[\\]_{}~"
      "\x80\x85\x91\x92\x93\x94\xA1\xA3\xAB\xBB\xBF"
      "\xA0\x96\x97\x82\x84\x8B\x9B\x95");  // no-break space – — ‚ „ ‹ › •
  for (int b = 0x01; b <= 0x1F; ++b) set[b] = true;
  return set;
}

inline constexpr ByteSet separators = make_separators();

// 1 for the bytes of words, 0 for separators: a number to shift into a mask.
inline constexpr std::array<std::uint8_t, 256> word_bits = [] {
  std::array<std::uint8_t, 256> bits{};
  for (int b = 0; b < 256; ++b) bits[b] = separators[b] ? 0 : 1;
  return bits;
}();

// Besides the ASCII vowels: every letter of the code page whose base letter is a vowel. The
// OEM code pages hold such letters at 0x81-0xA3, but there code page 1252 has typographic
// marks ("…", "–", "™", the no-break space), which are no vowels.
inline constexpr ByteSet vowels = make_set(
    "AEIOUaeiou"
    "\xC0\xC1\xC2\xC3\xC4\xC5"          // À Á Â Ã Ä Å
    "\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"  // È É Ê Ë Ì Í Î Ï
    "\xD2\xD3\xD4\xD5\xD6"              // Ò Ó Ô Õ Ö
    "\xD9\xDA\xDB\xDC"                  // Ù Ú Û Ü
    "\xE0\xE1\xE2\xE3\xE4\xE5"
    "\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF2\xF3\xF4\xF5\xF6"
    "\xF9\xFA\xFB\xFC");

inline constexpr ByteSet consonants = make_set(
    "BCDFGHJKLMNPQRSTVWXYZbcdfghjklmnpqrstvwxyz"
    "\xD1\xF1\xC7\xE7\x8A\x9A\x8E\x9E\xDD\xFD\xFF\x9F");  // Ñ ñ Ç ç Š š Ž ž Ý ý ÿ Ÿ

}  // namespace byte_tables

inline bool is_separator_byte(unsigned char b) { return byte_tables::separators[b]; }

// True when the first byte of `t` is a separator; the empty text is not one.
inline bool is_separator(std::string_view t) {
  return !t.empty() && is_separator_byte(static_cast<unsigned char>(t.front()));
}

inline bool is_vowel(unsigned char b) { return byte_tables::vowels[b]; }
inline bool is_consonant(unsigned char b) { return byte_tables::consonants[b]; }

// How a word is written: all small (also the empty word), capitalised (A-Z first, the rest
// small), all capitals, or none of these. Small and capital letters here are A-Z, a-z and the
// Spanish Ñ ñ Á á É é Í í Ó ó Ú ú only.
enum class CaseStyle { other, small, capitalised, capitals };
CaseStyle case_style(std::string_view word);

}  // namespace text
