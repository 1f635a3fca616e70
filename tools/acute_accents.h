#pragma once

// The acute accents of code page 1252 small letters, for the tools that compare spellings.

namespace tools {

// The plain vowel of á é í ó ú; 0 for any other byte.
constexpr char plain_vowel(unsigned char b) {
  switch (b) {
    case 0xE1: return 'a';
    case 0xE9: return 'e';
    case 0xED: return 'i';
    case 0xF3: return 'o';
    case 0xFA: return 'u';
    default: return 0;
  }
}

}  // namespace tools
