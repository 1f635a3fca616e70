// The UTF-8 reader on arbitrary bytes: it takes exactly the longest valid prefix (less a
// character cut at the end), agrees with a plain decoder, writes the same bytes back, and gives
// the same text read in two blocks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "text/code_page_text.h"
#include "text/utf8.h"

namespace {

// The length of the valid character at bytes[i], 0 when the bytes there are no UTF-8, and -1
// when they begin one that the end cuts short. Fills in its UTF-16 units.
int decode_one(std::string_view bytes, std::size_t i, std::u16string& units) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  int length;
  char32_t c;
  if (lead < 0x80) return units += static_cast<char16_t>(lead), 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2, c = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3, c = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4, c = lead & 0x07;
  else
    return 0;
  for (int k = 1; k < length; ++k) {
    if (i + k >= bytes.size()) {
      // Cut short, but only if what is there could still begin a valid character.
      const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
      const char32_t top = c << (6 * (length - k));
      const char32_t bottom_bits = (char32_t{1} << (6 * (length - k))) - 1;
      if (top + bottom_bits < smallest[length] || top > 0x10FFFF || (top >= 0xD800 && top + bottom_bits <= 0xDFFF) ||
          (length == 3 && top >= 0xD800 && top <= 0xDFFF))
        return 0;
      return -1;
    }
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  if (c < 0x10000) {
    units += static_cast<char16_t>(c);
  } else {
    units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
  return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  std::u16string units;
  std::size_t valid = 0;
  bool invalid = false;
  while (valid < bytes.size()) {
    const int n = decode_one(bytes, valid, units);
    if (n <= 0) {
      invalid = n == 0;
      break;
    }
    valid += static_cast<std::size_t>(n);
  }

  text::CodePageText read;
  const text::Utf8Read result = text::append_utf8(read, bytes);
  FUZZ_CHECK(result.read == valid);
  FUZZ_CHECK(result.invalid == invalid);
  const text::CodePageText expected = text::from_utf16(units);
  FUZZ_CHECK(read.text == expected.text);
  FUZZ_CHECK(read.foreign == expected.foreign);
  FUZZ_CHECK(read.foreign_units == expected.foreign_units);
  FUZZ_CHECK(text::to_utf8(read) == bytes.substr(0, valid));

  // Two blocks, the second starting with what the first could not take.
  const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
  text::CodePageText pieces;
  const text::Utf8Read first = text::append_utf8(pieces, bytes.substr(0, cut));
  if (!first.invalid) {
    const text::Utf8Read second = text::append_utf8(pieces, bytes.substr(first.read));
    FUZZ_CHECK(first.read + second.read == valid);
    FUZZ_CHECK(pieces.text == read.text);
    FUZZ_CHECK(pieces.foreign == read.foreign);
  } else {
    FUZZ_CHECK(first.read == valid);
  }
  return 0;
}
