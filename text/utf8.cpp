#include "text/utf8.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "text/ascii_chunk.h"
#include "text/code_page_1252.h"
#include "text/utf16.h"

namespace text {

namespace {

// Copies the ASCII bytes that start [in, in + n) to `out`, eight at a time, and returns how many
// there were. Whole chunks are stored, so `out` needs room for n bytes.
std::size_t copy_ascii(const unsigned char* in, std::size_t n, char* out) {
  std::size_t i = 0;
  for (; n - i >= 8; i += 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, in + i, 8);
    std::memcpy(out + i, &chunk, 8);
    if (const std::uint64_t high = chunk & ascii_chunk::high_bits) {
      const int zeros = std::endian::native == std::endian::little ? std::countr_zero(high) : std::countl_zero(high);
      return i + static_cast<std::size_t>(zeros / 8);
    }
  }
  while (i < n && in[i] < 0x80) {
    out[i] = static_cast<char>(in[i]);
    ++i;
  }
  return i;
}

// A lead byte's sequence length and the range its second byte must fall in: narrower than
// 80..BF where a wider one would let overlong forms, surrogates or values past U+10FFFF in.
struct Lead {
  unsigned char length = 0;  // 0: no lead byte
  unsigned char low = 0x80, high = 0xBF;
};

constexpr Lead lead_of(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {2};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  if (b >= 0xF1 && b <= 0xF3) return {4};
  return {};
}

char* put_code_point(char32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Code page bytes [0, n) as UTF-8 at `out`; returns the end.
char* put_code_page_bytes(const unsigned char* bytes, std::size_t n, char* out) {
  std::size_t i = 0;
  while (i < n) {
    const std::size_t ascii = copy_ascii(bytes + i, n - i, out);
    i += ascii;
    out += ascii;
    if (i == n) break;
    const unsigned char b = bytes[i++];
    if (b >= 0xA0) {
      // Latin-1: the byte is its own code point.
      *out++ = static_cast<char>(0xC0 | (b >> 6));
      *out++ = static_cast<char>(0x80 | (b & 0x3F));
    } else {
      out = put_code_point(cp1252::to_unit(b), out);
    }
  }
  return out;
}

char* put_units(const char16_t* units, std::size_t n, char* out) {
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = units[i];
    if (utf16::is_high_surrogate(u) && i + 1 < n && utf16::is_low_surrogate(units[i + 1])) {
      out = put_code_point(utf16::combine(u, units[i + 1]), out);
      ++i;
    } else if (utf16::is_high_surrogate(u) || utf16::is_low_surrogate(u)) {
      out = put_code_point(0xFFFD, out);
    } else {
      out = put_code_point(u, out);
    }
  }
  return out;
}

}  // namespace

Utf8Read append_utf8(CodePageText& text, std::string_view bytes) {
  const std::size_t start = text.text.size();
  // Every character gives at most as many units as it has bytes.
  text.text.resize(start + bytes.size());
  char* const out = text.text.data() + start;
  const auto* const in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0, o = 0;
  Utf8Read result;

  const auto put_unit = [&](char16_t u) {
    const unsigned char b = cp1252::from_unit(u);
    out[o] = static_cast<char>(b);
    if (cp1252::to_unit(b) != u) add_foreign_unit(text, start + o, u);
    ++o;
  };

  while (i < n) {
    const std::size_t ascii = copy_ascii(in + i, n - i, out + o);
    i += ascii;
    o += ascii;
    if (i == n) break;
    const unsigned char b = in[i];
    const Lead lead = lead_of(b);
    if (lead.length == 0) {
      result.invalid = true;
      break;
    }
    const std::size_t available = std::min<std::size_t>(lead.length, n - i);
    bool valid = available < 2 || (in[i + 1] >= lead.low && in[i + 1] <= lead.high);
    for (std::size_t k = 2; valid && k < available; ++k) valid = (in[i + k] & 0xC0) == 0x80;
    if (!valid) {
      result.invalid = true;
      break;
    }
    if (available < lead.length) break;
    switch (lead.length) {
      case 2: {
        const auto c = static_cast<char16_t>(((b & 0x1F) << 6) | (in[i + 1] & 0x3F));
        if (c >= 0xA0 && c <= 0xFF)
          out[o++] = static_cast<char>(c);  // Latin-1: its own byte, always held
        else
          put_unit(c);
        break;
      }
      case 3:
        put_unit(static_cast<char16_t>(((b & 0x0F) << 12) | ((in[i + 1] & 0x3F) << 6) | (in[i + 2] & 0x3F)));
        break;
      default: {
        const char32_t c = (char32_t{b & 0x07u} << 18) | (char32_t{in[i + 1] & 0x3Fu} << 12) |
                           (char32_t{in[i + 2] & 0x3Fu} << 6) | (in[i + 3] & 0x3Fu);
        put_unit(utf16::high_surrogate(c));
        put_unit(utf16::low_surrogate(c));
        break;
      }
    }
    i += lead.length;
  }
  text.text.resize(start + o);
  if (text.text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("text of 4 GiB or more");
  result.read = i;
  return result;
}

std::size_t write_utf8(const CodePageText& text, char* out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.text.data());
  const char16_t* units = text.foreign_units.data();
  char* o = out;
  std::size_t done = 0;
  for (const ForeignRun& run : text.foreign) {
    o = put_code_page_bytes(bytes + done, run.offset - done, o);
    o = put_units(units, run.length, o);
    units += run.length;
    done = run.end();
  }
  o = put_code_page_bytes(bytes + done, text.text.size() - done, o);
  return static_cast<std::size_t>(o - out);
}

std::string to_utf8(const CodePageText& text) {
  std::string out(utf8_capacity(text), '\0');
  out.resize(write_utf8(text, out.data()));
  return out;
}

std::string to_utf8(std::string_view code_page_text) {
  std::string out(3 * code_page_text.size(), '\0');
  const auto* bytes = reinterpret_cast<const unsigned char*>(code_page_text.data());
  out.resize(static_cast<std::size_t>(put_code_page_bytes(bytes, code_page_text.size(), out.data()) - out.data()));
  return out;
}

}  // namespace text
