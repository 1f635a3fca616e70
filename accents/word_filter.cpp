#include "accents/word_filter.h"

#include <algorithm>

namespace accents {

std::uint64_t filter_hash(std::uint64_t seed, std::string_view word) {
  const auto chunk = [&word](std::size_t at) {
    std::uint64_t c = 0;
    for (std::size_t i = at; i < std::min(at + 8, word.size()); ++i)
      c |= std::uint64_t{static_cast<unsigned char>(word[i])} << (8 * (i - at));
    return c;
  };
  std::uint64_t h = filter_hash(seed, chunk(0), chunk(8), word.size());
  for (std::size_t at = 16; at < word.size(); at += 8) h = (std::rotl(h, 23) ^ chunk(at)) * 0x9E3779B97F4A7C15ull;
  return h;
}

std::size_t WordFilter::blocks_for(std::size_t words) {
  std::size_t blocks = 2;
  while (blocks * 64 < words * 10) blocks *= 2;
  return blocks;
}

std::vector<std::uint64_t> WordFilter::widened(std::size_t count) const {
  std::vector<std::uint64_t> wide(count, 0);
  if (blocks_.empty()) return wide;
  // A block is chosen by the top bits of the hash: in the wider filter, by more of them.
  const int extra = std::countr_zero(count) - std::countr_zero(blocks_.size());
  for (std::size_t i = 0; i < count; ++i) wide[i] = blocks_[i >> extra];
  return wide;
}

}  // namespace accents
