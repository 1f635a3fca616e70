#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "accents/word_filter.h"
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
//
// Restoration asks about a word only when one of its one-accent variants is a word and the word
// itself is not, which few words of a text are: a second filter (restorable_words) holds the
// words for which that can be true, so that the others need no look-up at all.
//
// The tables can also lie in memory the dictionary does not own (a ready index mapped from a
// file, dictionary_index.h): they are then used where they lie, and checked first.

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

  // The words in small letters that may take an accent: the words of the dictionary with one of
  // their acute accents left out, when that is not a word of the dictionary too. A word it does
  // not hold is in the dictionary, or has no one-accent variant that is. Made by use_key(), for
  // the ready index (a look-up for each accent of each word, too slow for every load): before,
  // a filter that rules out no word.
  WordFilter restorable_words() const { return {restorable_seed(), restorable_table()}; }

  // Entries added, duplicates and empty entries included.
  std::size_t entry_count() const { return entry_count_; }
  std::size_t distinct_count() const { return starts_table().empty() ? 0 : starts_table().size() - 1; }
  // Length of the longest entry: no longer word can be in the dictionary.
  std::size_t longest() const { return longest_; }
  bool empty() const { return entry_count_ == 0; }

  // The lookup tables and everything a lookup needs, as they lie in memory.
  struct Tables {
    text::HashKey key{};
    std::uint64_t entry_count = 0;
    std::uint32_t longest = 0;
    std::uint32_t max_distance = 0;
    bool has_empty = false;
    std::span<const std::uint64_t> filter;      // slots.size() / 8 blocks
    std::span<const std::uint64_t> restorable;  // the blocks of restorable_words(), maybe none
    std::span<const std::uint32_t> slots;       // a power of two, at least 16; empty when there are no words
    std::span<const std::uint32_t> starts;      // word i is arena[starts[i], starts[i + 1]); starts[0] == 0
    std::span<const char> arena;
  };
  Tables tables() const;
  // A dictionary that answers from `tables` where they lie, `keeper` holding their memory; none
  // when their sizes do not fit together (the first or last start, a probe limit beyond the one
  // this class keeps, a filter of words that may take an accent whose size is no power of two).
  // The caller has checked every slot and start: each slot empty or naming a word (its low bits
  // less one below the number of words), the starts rising, and `longest` the longest word
  // (IndexCheck does, as it reads the index). Such tables keep every lookup within them; the
  // answers are right when the tables were made by this class.
  static std::optional<AccentDictionary> over(const Tables& tables, std::shared_ptr<const void> keeper);

  // Makes the table again under `key` (and, should it not spread well, under keys derived from
  // it): the same words added in the same order then give the same tables, byte for byte.
  void use_key(const text::HashKey& key);

  // Bytes held: the distinct words' own bytes, and everything else (the index structures), in
  // the dictionary's own memory or in the memory it was made over.
  std::size_t word_bytes() const { return arena_table().size(); }
  std::size_t index_bytes() const;

 private:
  std::string_view word(std::uint32_t index) const {
    const std::span<const std::uint32_t> starts = starts_table();
    return std::string_view(arena_table().data() + starts[index], starts[index + 1] - starts[index]);
  }
  // The tables in use: the dictionary's own, or those it was made over.
  std::span<const char> arena_table() const { return outside_ ? outside_arena_ : std::span<const char>(arena_); }
  std::span<const std::uint32_t> starts_table() const { return outside_ ? outside_starts_ : starts_; }
  std::span<const std::uint32_t> slot_table() const { return outside_ ? outside_slots_ : slots_; }
  std::span<const std::uint64_t> filter_table() const { return outside_ ? outside_filter_ : filter_; }
  std::span<const std::uint64_t> restorable_table() const { return outside_ ? outside_restorable_ : restorable_; }
  std::uint64_t restorable_seed() const { return key_.k0 ^ std::rotl(key_.k1, 32); }
  // Fills restorable_ from the words and the table.
  void find_restorable_words();
  // Calls f(hash) with the filter hash of each form of `word` (an acute accent left out) that is
  // no word of the dictionary; `form` is room for them.
  template <typename F>
  void for_each_restorable_form(std::string_view word, std::string& form, F f) const;
  // Copies tables that lie outside into the dictionary's own, so that it can take more words.
  void own_tables();
  std::uint64_t hash(std::string_view word) const { return text::hash_word(word, key_); }
  void insert(std::string_view entry);
  enum class Placement { placed, duplicate, too_far };
  // Puts word `index` in the table, unless an equal word is there already, or the word would
  // lie too far from its home slot.
  Placement place(std::uint32_t index, std::uint64_t hash);
  void prefetch(std::uint64_t hash) const;
  bool contains(std::string_view word, std::uint64_t hash) const;
  void rebuild_table(std::size_t slot_count, bool derived_keys = false);
  static std::size_t filter_index(std::uint64_t hash, std::size_t slot_count) {
    return static_cast<std::size_t>(hash & (slot_count - 1)) / 8;
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
  std::vector<std::uint64_t> restorable_;
  text::HashKey key_ = text::random_hash_key();
  // The farthest any word lies from its home slot: a lookup looks no farther.
  std::size_t max_distance_ = 0;
  std::size_t entry_count_ = 0;
  std::size_t longest_ = 0;
  bool has_empty_ = false;
  bool exact_restorable_ = false;  // whether restorable_ is kept: since use_key()

  bool outside_ = false;
  std::shared_ptr<const void> keeper_;
  std::span<const char> outside_arena_;
  std::span<const std::uint32_t> outside_starts_;
  std::span<const std::uint32_t> outside_slots_;
  std::span<const std::uint64_t> outside_filter_;
  std::span<const std::uint64_t> outside_restorable_;
};

}  // namespace accents
