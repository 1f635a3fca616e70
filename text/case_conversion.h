#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/char_classes.h"
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

// Eight ASCII bytes (none above 0x7F) taken as one number, in either byte order, with the
// capitals A-Z made small (to_lower_case eight bytes at a time) or the small letters a-z made
// capitals (to_upper_case); the other bytes stay.
namespace ascii_chunk {
inline constexpr std::uint64_t ones = 0x0101010101010101ull;
inline constexpr std::uint64_t high_bits = ones * 0x80;
// 0x80 in each byte that lies in [first, last], 0 elsewhere: no sum carries into the next byte.
constexpr std::uint64_t in_range(std::uint64_t chunk, unsigned char first, unsigned char last) {
  return (chunk + ones * (0x80 - first)) & ~(chunk + ones * (0x7F - last)) & high_bits;
}
constexpr std::uint64_t to_lower(std::uint64_t chunk) { return chunk ^ (in_range(chunk, 'A', 'Z') >> 2); }
constexpr std::uint64_t to_upper(std::uint64_t chunk) { return chunk ^ (in_range(chunk, 'a', 'z') >> 2); }
}  // namespace ascii_chunk

// A word in the given style: small letters, mixed case or capitals; `other` gives small letters.
std::string apply_case_style(std::string_view word, CaseStyle style);

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
