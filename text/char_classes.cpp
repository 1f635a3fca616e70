#include "text/char_classes.h"

#include <array>

namespace text {

namespace {

using ByteSet = std::array<bool, 256>;

constexpr ByteSet make_set(std::string_view members) {
  ByteSet set{};
  for (char c : members) set[static_cast<unsigned char>(c)] = true;
  return set;
}

constexpr ByteSet make_separators() {
  ByteSet set = make_set(
      " !\"#$(),./0123456789:;<=>?[\\]_{}~"
      "\x80\x85\x91\x92\x93\x94\xA1\xA3\xAB\xBB\xBF");
  for (int b = 0x01; b <= 0x1F; ++b) set[b] = true;
  return set;
}

constexpr ByteSet separators = make_separators();

// Besides the ASCII vowels: every letter of the code page whose base letter is a vowel.
constexpr ByteSet vowels = make_set(
    "AEIOUaeiou"
    "\xC0\xC1\xC2\xC3\xC4\xC5"          // À Á Â Ã Ä Å
    "\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"  // È É Ê Ë Ì Í Î Ï
    "\xD2\xD3\xD4\xD5\xD6"              // Ò Ó Ô Õ Ö
    "\xD9\xDA\xDB\xDC"                  // Ù Ú Û Ü
    "\xE0\xE1\xE2\xE3\xE4\xE5"
    "\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
    "\xF2\xF3\xF4\xF5\xF6"
    "\xF9\xFA\xFB\xFC");

constexpr ByteSet consonants = make_set(
    "BCDFGHJKLMNPQRSTVWXYZbcdfghjklmnpqrstvwxyz"
    "\xD1\xF1\xC7\xE7\x8A\x9A\x8E\x9E\xDD\xFD\xFF\x9F");  // Ñ ñ Ç ç Š š Ž ž Ý ý ÿ Ÿ

constexpr ByteSet small_letters = make_set("abcdefghijklmnopqrstuvwxyz\xF1\xE1\xE9\xED\xF3\xFA");
constexpr ByteSet capital_letters = make_set("ABCDEFGHIJKLMNOPQRSTUVWXYZ\xD1\xC1\xC9\xCD\xD3\xDA");

bool all_in(std::string_view bytes, const ByteSet& set) {
  for (char c : bytes)
    if (!set[static_cast<unsigned char>(c)]) return false;
  return true;
}

}  // namespace

bool is_separator_byte(unsigned char b) { return separators[b]; }
bool is_vowel(unsigned char b) { return vowels[b]; }
bool is_consonant(unsigned char b) { return consonants[b]; }

int case_style(std::string_view word) {
  if (!word.empty() && word.front() >= 'A' && word.front() <= 'Z' && all_in(word.substr(1), small_letters))
    return case_style_capitalised;
  if (all_in(word, small_letters)) return case_style_small;
  if (all_in(word, capital_letters)) return case_style_capitals;
  return case_style_other;
}

}  // namespace text
