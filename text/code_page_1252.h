#pragma once

// Windows code page 1252, the code page of all the program's text, on every system: case
// mapping and the letter and digit tests byte by byte, as CharUpperBuffA, CharLowerBuffA and
// GetStringTypeA (C1_ALPHA, C1_DIGIT) give them on that code page, and the conversion of single UTF-16
// units as MultiByteToWideChar and WideCharToMultiByte (flags 0) do it. ß, µ and ƒ have no
// single-byte counterpart and stay as they are.

#include <array>

namespace text::cp1252 {

constexpr unsigned char to_upper(unsigned char b) {
  if ((b >= 0x61 && b <= 0x7A) || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return b - 0x20;
  switch (b) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return b;
  }
}

constexpr unsigned char to_lower(unsigned char b) {
  if ((b >= 0x41 && b <= 0x5A) || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return b + 0x20;
  switch (b) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return b;
  }
}

constexpr bool is_alpha(unsigned char b) {
  if ((b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A)) return true;
  if (b >= 0xC0) return b != 0xD7 && b != 0xF7;
  switch (b) {
    case 0x83:  // ƒ
    case 0x88:  // ˆ (modifier letter)
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:  // ª
    case 0xB5:  // µ
    case 0xBA:  // º
      return true;
    default: return false;
  }
}

// The same mappings as tables, for loops over long texts.
using ByteMap = std::array<unsigned char, 256>;
constexpr ByteMap make_byte_map(unsigned char (*map)(unsigned char)) {
  ByteMap table{};
  for (int b = 0; b < 256; ++b) table[b] = map(static_cast<unsigned char>(b));
  return table;
}
inline constexpr ByteMap upper_bytes = make_byte_map(to_upper);
inline constexpr ByteMap lower_bytes = make_byte_map(to_lower);

// C1_DIGIT: 0-9 and the superscripts ² ³ ¹.
constexpr bool is_digit(unsigned char b) { return (b >= '0' && b <= '9') || b == 0xB2 || b == 0xB3 || b == 0xB9; }

// The characters of bytes 0x80-0x9F; the five the code page leaves undefined (0x81 0x8D 0x8F
// 0x90 0x9D) stand for the control characters of the same value.
inline constexpr char16_t high_half[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The character of a byte; inline, as every byte of a text written back goes through it.
constexpr char16_t to_unit(unsigned char b) { return b >= 0x80 && b < 0xA0 ? high_half[b - 0x80] : char16_t{b}; }

// The byte a UTF-16 unit becomes: its own, a look-alike ("a" for "ā", "O" for "Ω"), or the
// default character "?" (each half of a surrogate pair on its own, too).
unsigned char from_unit(char16_t unit);

}  // namespace text::cp1252
