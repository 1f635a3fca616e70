#include "accents/word_filter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using accents::WordFilter;

std::string random_word(std::mt19937& random, std::size_t size) {
  std::string w(size, '\0');
  for (char& c : w) c = static_cast<char>(random() % 256);
  return w;
}

// Restoration hashes a short word from its first sixteen bytes as it holds them: the same hash
// as from the word itself, whatever bytes it holds.
TEST(WordFilter, ShortWordsHashTheSameFromTheirSixteenBytes) {
  std::mt19937 random(3);
  for (std::size_t size = 0; size <= 16; ++size) {
    for (int round = 0; round < 20; ++round) {
      const std::string w = random_word(random, size);
      unsigned char bytes[16] = {};
      std::memcpy(bytes, w.data(), w.size());
      std::uint64_t first = 0, second = 0;
      for (int i = 7; i >= 0; --i) first = first << 8 | bytes[i], second = second << 8 | bytes[8 + i];
      EXPECT_EQ(accents::filter_hash(99, first, second, size), accents::filter_hash(99, w)) << size;
    }
  }
  // The length counts, and so does every byte of a long word.
  EXPECT_NE(accents::filter_hash(1, "a"), accents::filter_hash(1, std::string("a\0", 2)));
  const std::string long_word(40, 'x');
  std::string other = long_word;
  other[39] = 'y';
  EXPECT_NE(accents::filter_hash(1, long_word), accents::filter_hash(1, other));
}

// Every word put in is held; of the others, few are answered "maybe"; widened, the filter
// still holds its words.
TEST(WordFilter, HoldsItsWordsAndFewOthers) {
  std::mt19937 random(5);
  for (const std::size_t count : {0u, 1u, 100u, 20000u}) {
    SCOPED_TRACE(count);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < count; ++i) words.push_back(random_word(random, 1 + random() % 20));
    std::vector<std::uint64_t> blocks(WordFilter::blocks_for(count), 0);
    for (const std::string& w : words) WordFilter::add(blocks, accents::filter_hash(7, w));
    const WordFilter filter(7, blocks);
    const std::vector<std::uint64_t> wide = filter.widened(blocks.size() * 8);
    const WordFilter wider(7, wide);
    for (const std::string& w : words) {
      ASSERT_TRUE(filter.may_hold(w)) << w;
      ASSERT_TRUE(wider.may_hold(w)) << w;
    }
    int maybe = 0;
    constexpr int others = 20000;
    for (int i = 0; i < others; ++i) maybe += filter.may_hold("no " + std::to_string(i)) ? 1 : 0;
    EXPECT_LT(maybe, others / 25);
  }
  // With no blocks, a filter that rules out nothing.
  EXPECT_TRUE(WordFilter().may_hold("a"));
}

}  // namespace
