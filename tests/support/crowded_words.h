#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Dictionary words made up to fall into one cluster of an open-addressing table hashed without
// a key: every word's home slot under such a hash lies among the first `count` slots of the
// table a dictionary of `count` words gets, so linear probing walks one ever longer run. A
// dictionary that fixes its hash in advance can be attacked like this; one keyed afresh cannot.
// Shared by a benchmark and an end-to-end test.

namespace crowded {

inline std::uint64_t fixed_hash(std::string_view s) {
  const auto mix = [](std::uint64_t x) {
    x *= 0x9E3779B97F4A7C15ull;
    return x ^ (x >> 29);
  };
  std::uint64_t h = 0x243F6A8885A308D3ull ^ s.size();
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, s.data() + i, 8);
    h = mix(h ^ chunk);
  }
  if (i < s.size()) {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, s.data() + i, s.size() - i);
    h = mix(h ^ chunk);
  }
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  return h ^ (h >> 32);
}

// The table size a dictionary of `count` words is given: a power of two kept at most 3/4 full.
inline std::size_t slots_for(std::size_t count) {
  std::size_t n = 16;
  while (count > n / 4 * 3) n *= 2;
  return n;
}

inline std::vector<std::string> words(std::size_t count) {
  const std::size_t mask = slots_for(count) - 1;
  std::vector<std::string> crowded;
  crowded.reserve(count);
  for (std::uint64_t i = 0; crowded.size() < count; ++i) {
    std::string w = "pal";
    for (std::uint64_t v = i; v > 0 || w.size() == 3; v /= 26) w += static_cast<char>('a' + v % 26);
    if ((fixed_hash(w) & mask) < count) crowded.push_back(std::move(w));
  }
  return crowded;
}

}  // namespace crowded
