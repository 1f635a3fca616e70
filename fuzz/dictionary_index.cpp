// Arbitrary bytes as a ready index. Its two hashes are put right first (the one of the
// dictionary file it names, and its own), so that the fuzzer reaches the tables: whatever
// they hold, the index is refused or every lookup stays within it (the sanitizers watch).

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "accents/dictionary_index.h"
#include "fuzz/check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Where a mapped file lies: aligned, and nothing readable past its end but what it holds.
  std::vector<std::uint64_t> room(size / 8 + 1);
  auto* bytes = reinterpret_cast<unsigned char*>(room.data());
  if (size > 0) std::memcpy(bytes, data, size);
  const std::span<unsigned char> index(bytes, size);
  if (size >= 128) {
    const XXH128_hash_t h = XXH3_128bits(bytes + 56, size - 56);
    for (int i = 0; i < 8; ++i) {
      bytes[40 + i] = static_cast<unsigned char>(h.low64 >> (8 * i));
      bytes[48 + i] = static_cast<unsigned char>(h.high64 >> (8 * i));
    }
  }
  const auto recorded = accents::recorded_fingerprint(index);
  if (!recorded) {
    FUZZ_CHECK(!accents::open_dictionary_index(index, {}, nullptr));
    return 0;
  }
  const auto dictionary = accents::open_dictionary_index(index, *recorded, nullptr);
  // Read from its file in pieces of another size, it is judged the same.
  accents::IndexCheck check(index);
  const std::size_t piece = 1 + size % 7;
  for (std::size_t at = 0; at < size; at += piece) check.add(index.subspan(at, std::min(piece, size - at)));
  FUZZ_CHECK(check.open(*recorded, nullptr).has_value() == dictionary.has_value());
  if (!dictionary) return 0;

  // Lookups of the words it holds and of others.
  const auto tables = dictionary->tables();
  for (std::size_t i = 0; i + 1 < tables.starts.size() && i < 2000; ++i) {
    const std::string_view word(tables.arena.data() + tables.starts[i], tables.starts[i + 1] - tables.starts[i]);
    FUZZ_CHECK(word.size() <= dictionary->longest());
    (void)dictionary->contains(word);
    (void)dictionary->restorable_words().may_hold(word);
    const std::string_view several[] = {word, word.substr(1), "", "a"};
    FUZZ_CHECK(dictionary->first_known(several) <= 4);
  }
  FUZZ_CHECK(dictionary->contains("") == tables.has_empty);
  return 0;
}
