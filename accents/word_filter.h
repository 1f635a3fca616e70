#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// A filter over a set of words: asked about a word, it answers "not in the set" for certain, or
// "maybe". A blocked Bloom filter: each word sets three bits of one 64-bit block, about ten bits
// per word, so that a word outside the set is answered "maybe" about once in fifty times. Small
// enough to stay in the processor's cache, it stands in front of tables that do not: most words
// of a text are answered by it alone.

namespace accents {

// The hash a word is filtered by, from its first sixteen bytes as two little-endian numbers (the
// bytes past its end zero) and, for a longer word, its other bytes eight at a time.
inline std::uint64_t filter_hash(std::uint64_t seed, std::uint64_t first, std::uint64_t second, std::size_t size) {
  std::uint64_t h = (std::rotl(seed + size, 23) ^ first) * 0x9E3779B97F4A7C15ull;
  return (std::rotl(h, 23) ^ second) * 0xC2B2AE3D27D4EB4Full;
}
std::uint64_t filter_hash(std::uint64_t seed, std::string_view word);

class WordFilter {
 public:
  WordFilter() = default;
  // `blocks`: a power of two of them, at least 2, or none: a filter that rules out no word.
  WordFilter(std::uint64_t seed, std::span<const std::uint64_t> blocks)
      : seed_(seed), blocks_(blocks), shift_(shift_for(blocks.size())) {}

  bool may_hold(std::uint64_t hash) const {
    if (blocks_.empty()) return true;
    const std::uint64_t bits = bits_of(hash);
    return (blocks_[hash >> shift_] & bits) == bits;
  }
  bool may_hold(std::string_view word) const { return may_hold(filter_hash(seed_, word)); }
  const std::uint64_t* block_address(std::uint64_t hash) const {
    return blocks_.empty() ? nullptr : &blocks_[hash >> shift_];
  }

  std::uint64_t seed() const { return seed_; }
  std::span<const std::uint64_t> blocks() const { return blocks_; }

  // Blocks enough for `words` words: a power of two, at least 2.
  static std::size_t blocks_for(std::size_t words);
  // Puts the word of `hash` in `blocks` (a power of two of them, at least 2).
  static void add(std::span<std::uint64_t> blocks, std::uint64_t hash) {
    blocks[hash >> shift_for(blocks.size())] |= bits_of(hash);
  }
  // The blocks of this filter spread over `count` blocks (a power of two, no fewer than it has):
  // the filter then holds the same words and has room for more.
  std::vector<std::uint64_t> widened(std::size_t count) const;

 private:
  // The top bits choose the block, bits that the block's do not touch the three bits within it.
  static int shift_for(std::size_t count) { return 64 - std::countr_zero(count); }
  static std::uint64_t bits_of(std::uint64_t hash) {
    const std::uint64_t g = hash ^ (hash >> 24);
    return std::uint64_t{1} << (g & 63) | std::uint64_t{1} << ((g >> 6) & 63) | std::uint64_t{1} << ((g >> 12) & 63);
  }

  std::uint64_t seed_ = 0;
  std::span<const std::uint64_t> blocks_;
  int shift_ = 64;
};

}  // namespace accents
