#include "text/word_hash.h"

#include <chrono>
#include <cstring>
#include <random>

namespace text {

namespace {

// The 64-bit halves of a 128-bit product folded together: every input bit reaches every
// output bit, and the result depends on both factors, key included.
std::uint64_t fold_multiply(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
  const unsigned __int128 r = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
#else
  const std::uint64_t a_lo = a & 0xFFFFFFFFu, a_hi = a >> 32, b_lo = b & 0xFFFFFFFFu, b_hi = b >> 32;
  const std::uint64_t lo_lo = a_lo * b_lo, hi_lo = a_hi * b_lo, lo_hi = a_lo * b_hi, hi_hi = a_hi * b_hi;
  const std::uint64_t cross = (lo_lo >> 32) + (hi_lo & 0xFFFFFFFFu) + lo_hi;
  const std::uint64_t high = hi_hi + (hi_lo >> 32) + (cross >> 32);
  const std::uint64_t low = (cross << 32) | (lo_lo & 0xFFFFFFFFu);
  return low ^ high;
#endif
}

constexpr std::uint64_t odd_a = 0xA0761D6478BD642Full;
constexpr std::uint64_t odd_b = 0xE7037ED1A0B428DBull;

std::uint64_t splitmix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

HashKey random_hash_key() {
  std::uint64_t state = 0;
  try {
    std::random_device device;
    state = (std::uint64_t{device()} << 32) ^ device();
  } catch (...) {
    // No random source: the clock and the address space layout still differ run to run.
  }
  int local = 0;
  state ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  state ^= static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&local)) << 16;
  HashKey key{splitmix(state), splitmix(state)};
  return key;
}

std::uint64_t hash_word(std::string_view word, const HashKey& key) {
  const char* p = word.data();
  std::size_t n = word.size();
  std::uint64_t h = key.k0 ^ (n * odd_a);
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, p, 8);
    h = fold_multiply(chunk ^ key.k1, h ^ odd_b);
  }
  // Byte by byte: a memcpy of a variable length below 8 is a call, and words are short.
  std::uint64_t tail = 0;
  for (std::size_t i = 0; i < n; ++i) tail |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  h = fold_multiply(tail ^ key.k1 ^ odd_a, h ^ odd_b);
  return fold_multiply(h ^ key.k0, odd_a ^ key.k1);
}

}  // namespace text
