#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/word_hash.h"

// The accent dictionary in memory: a set of words compared byte for byte (no case folding).
// Only membership is ever asked, so duplicates are stored once. The distinct words lie back to
// back in one arena; an open-addressing table (linear probing, load at most 3/4) holds their
// indexes, each slot carrying spare hash bits so that a probe rarely touches the arena. The
// hash is keyed afresh for every dictionary and no word lies more than a few hundred
// slots from its home (a longer probe takes a new key), so no file can slow loading or
// lookups down. Most questions asked are about words that are not there (accent candidates), so
// a small bit filter in front answers most of those without touching the larger table. Cost per distinct word
// beyond its bytes: a 4-byte start in the arena, 5 to 11 bytes of slots, 1 to 3 of filter.

namespace accents {

class AccentDictionary {
 public:
  // Adds one entry. An empty entry is remembered too, though it can only ever match the empty
  // word (no word of a text is empty).
  void add(std::string_view entry);
  // The same for many entries, in order, quicker for a whole file: the entries lie back to back
  // in `entries`, entry i ending at ends[i] (an empty entry ends where the one before it does).
  // The first entries added take over the string.
  void add_all(std::string entries, std::span<const std::uint32_t> ends);

  bool contains(std::string_view word) const;
  // The index of the first of `words` that the dictionary holds; words.size() when it holds none.
  // Quicker than asking one by one: the tables are searched for all the words at once, so that
  // their memory is fetched side by side.
  std::size_t first_known(std::span<const std::string_view> words) const;

  // Entries added, duplicates and empty entries included.
  std::size_t entry_count() const { return entry_count_; }
  std::size_t distinct_count() const { return starts_.empty() ? 0 : starts_.size() - 1; }
  // Length of the longest entry: no longer word can be in the dictionary.
  std::size_t longest() const { return longest_; }
  bool empty() const { return entry_count_ == 0; }

  // Bytes held: the distinct words' own bytes, and everything else (the index structures).
  std::size_t word_bytes() const { return arena_.size(); }
  std::size_t index_bytes() const;

 private:
  std::string_view word(std::uint32_t index) const {
    return std::string_view(arena_).substr(starts_[index], starts_[index + 1] - starts_[index]);
  }
  std::uint64_t hash(std::string_view word) const { return text::hash_word(word, key_); }
  void insert(std::string_view entry);
  enum class Placement { placed, duplicate, too_far };
  // Puts word `index` in the table, unless an equal word is there already, or the word would
  // lie too far from its home slot.
  Placement place(std::uint32_t index, std::uint64_t hash);
  void prefetch(std::uint64_t hash) const;
  bool contains(std::string_view word, std::uint64_t hash) const;
  void rebuild_table(std::size_t slot_count);
  std::size_t filter_index(std::uint64_t hash) const {
    return static_cast<std::size_t>(hash & (slots_.size() - 1)) / 8;
  }
  void mark_in_filter(std::uint64_t hash);
  bool maybe_in_filter(std::uint64_t hash) const;

  std::string arena_;
  std::vector<std::uint32_t> starts_;  // word i is arena_[starts_[i], starts_[i + 1])
  // Power-of-two size. 0: free; otherwise (word index + 1) in the bits below the size, spare
  // hash bits above them.
  std::vector<std::uint32_t> slots_;
  // Two bits per word in the 64-bit block of its home slot; one byte of filter per slot.
  std::vector<std::uint64_t> filter_;
  text::HashKey key_ = text::random_hash_key();
  // The farthest any word lies from its home slot: a lookup looks no farther.
  std::size_t max_distance_ = 0;
  std::size_t entry_count_ = 0;
  std::size_t longest_ = 0;
  bool has_empty_ = false;
};

}  // namespace accents
