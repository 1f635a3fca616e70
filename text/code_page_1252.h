#pragma once

// Case mapping and letter test of Windows code page 1252, byte by byte, as the system's
// CharUpperBuffA, CharLowerBuffA and GetStringTypeA (C1_ALPHA) give them on that code page.
// ß, µ and ƒ have no single-byte counterpart and stay as they are.

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
    case 0x8A: case 0x8C: case 0x8E:
    case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA:  // ª
    case 0xB5:  // µ
    case 0xBA:  // º
      return true;
    default:
      return false;
  }
}

}  // namespace text::cp1252
