#pragma once

#include <string>
#include <string_view>

#include "text/clipboard_text.h"

// Code page 1252 as Windows converts it with flags 0: best fit for a few look-alikes, "?" for
// everything else it lacks, one byte per UTF-16 unit (so an emoji gives "??"). With
// `double_byte` set it plays a double-byte code page instead: lead byte 0x81 followed by 0x40
// stands for U+4E2D ("中"), and conversions are no longer one unit for one byte.

namespace testing_support {

class Cp1252CodePage : public text::CodePage {
 public:
  explicit Cp1252CodePage(bool double_byte = false) : double_byte_(double_byte) {}

  std::string to_bytes(std::u16string_view units) const override {
    std::string out;
    for (const char16_t u : units) {
      if (double_byte_ && u == u'\u4E2D') {
        out += "\x81\x40";
        continue;
      }
      out += static_cast<char>(byte_for(u));
    }
    return out;
  }

  std::u16string to_utf16(std::string_view bytes) const override {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      if (double_byte_ && b == 0x81 && i + 1 < bytes.size() && bytes[i + 1] == '\x40') {
        out += u'\u4E2D';
        ++i;
      } else {
        out += unit_for(b);
      }
    }
    return out;
  }

  bool single_byte() const override { return !double_byte_; }

 private:
  static constexpr char16_t high_half[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

  static char16_t unit_for(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? high_half[b - 0x80] : static_cast<char16_t>(b);
  }

  static unsigned char byte_for(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
      if (high_half[i] == u) return static_cast<unsigned char>(0x80 + i);
    switch (u) {
      case u'\u03A9': return 'O';  // Ω
      case u'\u0101': return 'a';  // ā
      case u'\u03B1': return 'a';  // α
      default: return '?';
    }
  }

  bool double_byte_;
};

}  // namespace testing_support
