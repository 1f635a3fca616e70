#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between UTF-8 and Windows code page 1252 for the build tools, which read and
// print UTF-8 on Linux while the program's data is code page 1252.

namespace tools {

// None when the text is not valid UTF-8 or holds a character code page 1252 cannot spell.
std::optional<std::string> utf8_to_cp1252(std::string_view utf8);

// The same, with `replacement` for each character the code page lacks and each byte that is
// not part of valid UTF-8.
std::string utf8_to_cp1252_replacing(std::string_view utf8, char replacement);

// The five bytes code page 1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) come out as U+FFFD.
std::string cp1252_to_utf8(std::string_view cp1252);

// Appends the code point `cp` (at most U+10FFFF, no surrogate) as UTF-8.
void append_code_point(std::string& out, std::uint32_t cp);

}  // namespace tools
