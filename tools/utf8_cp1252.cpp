#include "tools/utf8_cp1252.h"

#include <cstdint>
#include <utility>

namespace tools {

namespace {

// Code points of bytes 0x80..0x9F; 0 where code page 1252 has no character.
constexpr char16_t high_controls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<unsigned char> cp1252_byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (unsigned i = 0; i < 32; ++i)
    if (high_controls[i] != 0 && high_controls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The character starting at utf8[i] and its length in bytes; none when the bytes there are not
// UTF-8.
std::optional<std::pair<char32_t, std::size_t>> next_character(std::string_view utf8, std::size_t i) {
  const auto lead = static_cast<unsigned char>(utf8[i]);
  std::size_t length;
  char32_t cp;
  if (lead < 0x80) {
    length = 1, cp = lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (i + length > utf8.size()) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(utf8[i + k]);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (c & 0x3F);
  }
  // Overlong forms (a disguised ASCII byte) and surrogates are not UTF-8.
  static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < smallest[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return std::nullopt;
  return std::pair{cp, length};
}

}  // namespace

std::optional<std::string> utf8_to_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto character = next_character(utf8, i);
    if (!character) return std::nullopt;
    const auto byte = cp1252_byte(character->first);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
    i += character->second;
  }
  return out;
}

std::string utf8_to_cp1252_replacing(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto character = next_character(utf8, i);
    const auto byte = character ? cp1252_byte(character->first) : std::nullopt;
    out.push_back(byte ? static_cast<char>(*byte) : replacement);
    i += character ? character->second : 1;
  }
  return out;
}

std::string cp1252_to_utf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 8);
  for (char c : cp1252) {
    const auto b = static_cast<unsigned char>(c);
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = high_controls[b - 0x80] != 0 ? high_controls[b - 0x80] : 0xFFFD;
    append_utf8(out, cp);
  }
  return out;
}

}  // namespace tools
