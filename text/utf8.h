#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/code_page_text.h"

// UTF-8 at the edge of the program: files and pipes read into code page text, and code page text
// written back, the characters the code page cannot hold as they came in.
//
//   text::CodePageText t;
//   const text::Utf8Read r = text::append_utf8(t, "Gda\xC5\x84sk \xF0\x9F\x98\x80");  // t.text == "Gdansk ??"
//   text::to_upper_case(t);
//   text::to_utf8(t) == "GDA\xC5\x83SK \xF0\x9F\x98\x80"

namespace text {

inline constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

struct Utf8Read {
  std::size_t read = 0;  // bytes taken: whole characters only
  // The bytes at `read` are no UTF-8. Otherwise any bytes left over begin a character that the
  // end of the block cut, to be read again with the next block.
  bool invalid = false;
};

// Appends UTF-8 bytes to `text`: each character as its UTF-16 units, one code page byte per unit,
// exactly as append_utf16 turns them. Stops before the first invalid sequence (a stray
// continuation byte, a lead byte without its continuation bytes, an overlong form, a surrogate,
// a value above U+10FFFF) or before a character cut by the end of `bytes`. Texts of 4 GiB or
// more throw std::length_error.
Utf8Read append_utf8(CodePageText& text, std::string_view bytes);

// The most bytes write_utf8 can write for `text`.
inline std::size_t utf8_capacity(const CodePageText& text) { return 3 * text.text.size(); }

// The UTF-8 form of the text at `out` (room for utf8_capacity bytes); returns its length. Each
// byte becomes the code page's character, each foreign run its units again (a lone surrogate,
// which no UTF-8 input gives, becomes U+FFFD).
std::size_t write_utf8(const CodePageText& text, char* out);
std::string to_utf8(const CodePageText& text);
// The same for plain code page text, such as a report.
std::string to_utf8(std::string_view code_page_text);

}  // namespace text
