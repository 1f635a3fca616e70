#pragma once

#include <cstdint>

// Surrogate pairs: how UTF-16 holds the characters past U+FFFF in two units.

namespace text::utf16 {

constexpr bool is_high_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool is_low_surrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

constexpr char32_t combine(char16_t high, char16_t low) {
  return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
}
constexpr char16_t high_surrogate(char32_t c) { return static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)); }
constexpr char16_t low_surrogate(char32_t c) { return static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)); }

}  // namespace text::utf16
