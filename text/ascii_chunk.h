#pragma once

#include <cstdint>

// Eight ASCII bytes (none above 0x7F) taken as one number, in either byte order, with the
// capitals A-Z made small or the small letters a-z made capitals: the long texts' fast path of
// case conversion, UTF-8 reading and word lower-casing. The other bytes stay.

namespace text::ascii_chunk {

inline constexpr std::uint64_t ones = 0x0101010101010101ull;
inline constexpr std::uint64_t high_bits = ones * 0x80;

// 0x80 in each byte that lies in [first, last], 0 elsewhere: no sum carries into the next byte.
constexpr std::uint64_t in_range(std::uint64_t chunk, unsigned char first, unsigned char last) {
  return (chunk + ones * (0x80 - first)) & ~(chunk + ones * (0x7F - last)) & high_bits;
}
constexpr std::uint64_t to_lower(std::uint64_t chunk) { return chunk ^ (in_range(chunk, 'A', 'Z') >> 2); }
constexpr std::uint64_t to_upper(std::uint64_t chunk) { return chunk ^ (in_range(chunk, 'a', 'z') >> 2); }

}  // namespace text::ascii_chunk
