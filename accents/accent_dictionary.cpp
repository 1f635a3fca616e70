#include "accents/accent_dictionary.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>
#include <utility>

#include "text/marked_letters.h"

namespace accents {

namespace {

// Far above what a well-spread table at load 3/4 ever needs, far below what would make the
// linear probing quadratic.
constexpr std::size_t max_probe_distance = 256;

// A word's filter block is the one of its home slot (one block per eight slots), so that the
// filter is read and written in the same order as the table; the bits within the block come
// from a second mix, independent of the slot position.
constexpr std::uint64_t filter_hash(std::uint64_t hash) { return (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9ull; }

// Smallest power of two that keeps `entries` at or under 3/4 of the slots.
std::size_t slots_for(std::size_t entries) {
  std::size_t n = 16;
  while (entries > n / 4 * 3) n *= 2;
  return n;
}

std::uint64_t filter_bits(std::uint64_t hash) {
  const std::uint64_t g = filter_hash(hash);
  return (std::uint64_t{1} << (g & 63)) | (std::uint64_t{1} << ((g >> 6) & 63));
}

// The next key tried when a table keyed by `key` does not spread well, the same every time.
text::HashKey derived_key(const text::HashKey& key) {
  std::uint64_t state = key.k0 ^ (key.k1 * 0x9E3779B97F4A7C15ull);
  const auto next = [&state] {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  };
  const std::uint64_t k0 = next();
  return {k0, next()};
}

}  // namespace

void AccentDictionary::mark_in_filter(std::uint64_t hash) {
  filter_[filter_index(hash, slots_.size())] |= filter_bits(hash);
}

bool AccentDictionary::maybe_in_filter(std::uint64_t hash) const {
  const std::uint64_t bits = filter_bits(hash);
  const std::span<const std::uint64_t> filter = filter_table();
  return (filter[filter_index(hash, filter.size() * 8)] & bits) == bits;
}

AccentDictionary::Placement AccentDictionary::place(std::uint32_t index, std::uint64_t h) {
  const std::uint32_t mask = static_cast<std::uint32_t>(slots_.size() - 1);
  const std::uint32_t spare = static_cast<std::uint32_t>(h >> 32) & ~mask;
  std::size_t pos = static_cast<std::size_t>(h) & mask;
  std::size_t distance = 0;
  for (; slots_[pos] != 0; pos = (pos + 1) & mask) {
    const std::uint32_t s = slots_[pos];
    if ((s & ~mask) == spare && word((s & mask) - 1) == word(index)) return Placement::duplicate;
    if (++distance > max_probe_distance) return Placement::too_far;
  }
  slots_[pos] = spare | (index + 1);
  max_distance_ = std::max(max_distance_, distance);
  mark_in_filter(h);
  return Placement::placed;
}

void AccentDictionary::rebuild_table(std::size_t slot_count, bool derived_keys) {
  std::vector<std::uint64_t> hashes;
  // Word and hash, side by side: read in their new order, neither is looked for far away.
  struct Placing {
    std::uint64_t hash;
    std::uint32_t index;
  };
  std::vector<Placing> order;
  for (int attempt = 0;; ++attempt) {
    if (attempt > 0) {
      key_ = derived_keys ? derived_key(key_) : text::random_hash_key();
      // Keys keep failing only when the table is too full to spread well: give it room.
      if (attempt % 4 == 0) slot_count *= 2;
    }
    slots_.assign(slot_count, 0);
    filter_.assign(slot_count / 8, 0);
    max_distance_ = 0;

    // Each word goes to a random place of tables far larger than the caches. Taken in the order
    // of their home slots instead (a counting sort on the home's top bits: few enough buckets
    // for their ends to stay in the cache), the words fill the table front to back.
    const std::size_t n = distinct_count();
    hashes.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) hashes[i] = hash(word(i));
    const int slot_bits = std::countr_zero(slot_count);
    const int bucket_bits = std::min(slot_bits, 12);
    const auto bucket = [&](std::uint64_t h) {
      return static_cast<std::size_t>((h & (slot_count - 1)) >> (slot_bits - bucket_bits));
    };
    std::vector<std::uint32_t> next((std::size_t{1} << bucket_bits) + 1, 0);
    for (const std::uint64_t h : hashes) ++next[bucket(h) + 1];
    for (std::size_t b = 1; b < next.size(); ++b) next[b] += next[b - 1];
    order.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) order[next[bucket(hashes[i])]++] = {hashes[i], i};

    bool too_far = false;
    std::vector<bool> duplicates;
    for (const auto [h, i] : order) {
      const Placement placement = place(i, h);
      if (placement == Placement::too_far) {
        too_far = true;
        break;
      }
      if (placement == Placement::duplicate) {
        duplicates.resize(n);
        duplicates[i] = true;
      }
    }
    if (too_far) continue;
    if (duplicates.empty()) {
      find_restorable_words();
      return;
    }
    // Words added all at once meet only here: the later copies leave the arena, and the table
    // is made again without them.
    std::string arena;
    std::vector<std::uint32_t> starts{0};
    for (std::uint32_t i = 0; i < n; ++i) {
      if (duplicates[i]) continue;
      arena.append(word(i));
      starts.push_back(static_cast<std::uint32_t>(arena.size()));
    }
    arena_ = std::move(arena);
    starts_ = std::move(starts);
    attempt = -1;
  }
}

template <typename F>
void AccentDictionary::for_each_restorable_form(std::string_view w, std::string& form, F f) const {
  for (std::size_t p = 0; p < w.size(); ++p) {
    const auto b = static_cast<unsigned char>(w[p]);
    if (!text::is_acute_vowel(b)) continue;
    form.assign(w);
    form[p] = static_cast<char>(text::without_acute(b));
    if (!contains(form)) f(filter_hash(restorable_seed(), form));
  }
}

void AccentDictionary::find_restorable_words() {
  restorable_.clear();
  if (!exact_restorable_) return;
  std::vector<std::uint64_t> hashes;
  std::string form;
  for (std::uint32_t i = 0; i < distinct_count(); ++i)
    for_each_restorable_form(word(i), form, [&](std::uint64_t h) { hashes.push_back(h); });
  restorable_.assign(WordFilter::blocks_for(hashes.size()), 0);
  for (const std::uint64_t h : hashes) WordFilter::add(restorable_, h);
}

void AccentDictionary::add(std::string_view entry) { insert(entry); }

void AccentDictionary::add_all(std::string entries, std::span<const std::uint32_t> ends) {
  own_tables();
  if (entries.size() > std::numeric_limits<std::uint32_t>::max() - arena_.size())
    throw std::length_error("accent dictionary larger than 4 GiB");
  // The words go to the arena as they come, and the table is made once for all of them.
  const auto base = static_cast<std::uint32_t>(arena_.size());
  if (arena_.empty())
    arena_ = std::move(entries);
  else
    arena_.append(entries);
  if (starts_.empty()) starts_.push_back(0);
  starts_.reserve(starts_.size() + ends.size());
  std::uint32_t start = 0;
  for (const std::uint32_t end : ends) {
    ++entry_count_;
    if (end == start) {
      has_empty_ = true;
      continue;
    }
    starts_.push_back(base + end);
    longest_ = std::max<std::size_t>(longest_, end - start);
    start = end;
  }
  if (distinct_count() > 0) rebuild_table(std::max(slots_.size(), slots_for(distinct_count())));
}

void AccentDictionary::prefetch(std::uint64_t hash) const {
#if defined(__GNUC__)
  const std::span<const std::uint32_t> slots = slot_table();
  if (slots.empty()) return;
  __builtin_prefetch(&slots[static_cast<std::size_t>(hash) & (slots.size() - 1)]);
  __builtin_prefetch(&filter_table()[filter_index(hash, slots.size())]);
#else
  (void)hash;
#endif
}

void AccentDictionary::insert(std::string_view entry) {
  own_tables();
  ++entry_count_;
  if (entry.empty()) {
    has_empty_ = true;
    return;
  }
  if (entry.size() > std::numeric_limits<std::uint32_t>::max() - arena_.size())
    throw std::length_error("accent dictionary larger than 4 GiB");
  if (starts_.empty()) starts_.push_back(0);
  if (distinct_count() + 1 > slots_.size() / 4 * 3) rebuild_table(slots_for(distinct_count() + 1));

  const std::uint64_t h = hash(entry);
  const std::uint32_t mask = static_cast<std::uint32_t>(slots_.size() - 1);
  const std::uint32_t spare = static_cast<std::uint32_t>(h >> 32) & ~mask;
  std::size_t pos = static_cast<std::size_t>(h) & mask;
  for (std::size_t distance = 0; distance <= max_distance_ && slots_[pos] != 0; ++distance, pos = (pos + 1) & mask) {
    const std::uint32_t s = slots_[pos];
    if ((s & ~mask) == spare && word((s & mask) - 1) == entry) return;
  }
  const auto index = static_cast<std::uint32_t>(distinct_count());
  arena_.append(entry);
  starts_.push_back(static_cast<std::uint32_t>(arena_.size()));
  longest_ = std::max(longest_, entry.size());
  // Too far from its home slot: every word is placed again under a new key, this one included.
  if (place(index, h) != Placement::placed) return rebuild_table(slots_.size());
  // The filter was sized for the words before; a fuller one answers "maybe" more often, never
  // wrongly. This word's forms that were words stay in it: "maybe" again.
  if (restorable_.empty()) return;
  std::string form;
  for_each_restorable_form(entry, form, [this](std::uint64_t form_hash) { WordFilter::add(restorable_, form_hash); });
}

bool AccentDictionary::contains(std::string_view w) const {
  if (w.empty()) return has_empty_;
  if (slot_table().empty()) return false;
  return contains(w, hash(w));
}

std::size_t AccentDictionary::first_known(std::span<const std::string_view> words) const {
  constexpr std::size_t batch = 8;
  const bool no_words = slot_table().empty();
  for (std::size_t start = 0; start < words.size(); start += batch) {
    const std::size_t end = std::min(words.size(), start + batch);
    std::uint64_t hashes[batch];
    if (!no_words) {
      for (std::size_t i = start; i < end; ++i) {
        hashes[i - start] = hash(words[i]);
        prefetch(hashes[i - start]);
      }
    }
    for (std::size_t i = start; i < end; ++i) {
      if (words[i].empty() ? has_empty_ : !no_words && contains(words[i], hashes[i - start])) return i;
    }
  }
  return words.size();
}

bool AccentDictionary::contains(std::string_view w, std::uint64_t h) const {
  const std::span<const std::uint32_t> slots = slot_table();
  const std::uint32_t mask = static_cast<std::uint32_t>(slots.size() - 1);
  if (!maybe_in_filter(h)) return false;
  const std::uint32_t spare = static_cast<std::uint32_t>(h >> 32) & ~mask;
  std::size_t pos = static_cast<std::size_t>(h) & mask;
  for (std::size_t distance = 0; distance <= max_distance_; ++distance, pos = (pos + 1) & mask) {
    const std::uint32_t s = slots[pos];
    if (s == 0) return false;
    if ((s & ~mask) == spare && word((s & mask) - 1) == w) return true;
  }
  return false;
}

std::size_t AccentDictionary::index_bytes() const {
  if (outside_)
    return sizeof(*this) + outside_starts_.size_bytes() + outside_slots_.size_bytes() + outside_filter_.size_bytes() +
           outside_restorable_.size_bytes();
  return sizeof(*this) + (arena_.capacity() - arena_.size()) + starts_.capacity() * sizeof(std::uint32_t) +
         slots_.capacity() * sizeof(std::uint32_t) +
         (filter_.capacity() + restorable_.capacity()) * sizeof(std::uint64_t);
}

AccentDictionary::Tables AccentDictionary::tables() const {
  Tables t;
  t.key = key_;
  t.entry_count = entry_count_;
  t.longest = static_cast<std::uint32_t>(longest_);
  t.max_distance = static_cast<std::uint32_t>(max_distance_);
  t.has_empty = has_empty_;
  t.filter = filter_table();
  t.restorable = restorable_table();
  t.slots = slot_table();
  t.starts = starts_table();
  t.arena = arena_table();
  return t;
}

std::optional<AccentDictionary> AccentDictionary::over(const Tables& t, std::shared_ptr<const void> keeper) {
  const std::size_t slot_count = t.slots.size();
  if (t.starts.empty() || t.starts[0] != 0 || t.starts.back() != t.arena.size()) return std::nullopt;
  const std::size_t distinct = t.starts.size() - 1;
  if (t.entry_count < distinct + (t.has_empty ? 1 : 0)) return std::nullopt;
  if (distinct == 0) {
    if (slot_count != 0 || !t.filter.empty() || t.longest != 0 || t.max_distance != 0) return std::nullopt;
  } else {
    // The word index + 1 has to fit below the spare bits, and a probe must not wrap onto itself.
    if (slot_count < 16 || !std::has_single_bit(slot_count) || slot_count > (std::size_t{1} << 31) ||
        distinct >= slot_count || t.filter.size() != slot_count / 8 ||
        t.max_distance > std::min(max_probe_distance, slot_count - 1) || t.restorable.size() == 1 ||
        (!t.restorable.empty() && !std::has_single_bit(t.restorable.size())))
      return std::nullopt;
  }

  AccentDictionary d;
  d.key_ = t.key;
  d.entry_count_ = static_cast<std::size_t>(t.entry_count);
  d.longest_ = t.longest;
  d.max_distance_ = t.max_distance;
  d.has_empty_ = t.has_empty;
  d.outside_ = true;
  d.keeper_ = std::move(keeper);
  d.outside_arena_ = t.arena;
  d.outside_starts_ = t.starts;
  d.outside_slots_ = t.slots;
  d.outside_filter_ = t.filter;
  d.outside_restorable_ = t.restorable;
  return d;
}

void AccentDictionary::own_tables() {
  if (!outside_) return;
  arena_.assign(outside_arena_.begin(), outside_arena_.end());
  starts_.assign(outside_starts_.begin(), outside_starts_.end());
  slots_.assign(outside_slots_.begin(), outside_slots_.end());
  filter_.assign(outside_filter_.begin(), outside_filter_.end());
  restorable_.assign(outside_restorable_.begin(), outside_restorable_.end());
  outside_ = false;
  keeper_.reset();
  outside_arena_ = {};
  outside_starts_ = {};
  outside_slots_ = {};
  outside_filter_ = {};
  outside_restorable_ = {};
}

void AccentDictionary::use_key(const text::HashKey& key) {
  own_tables();
  key_ = key;
  exact_restorable_ = true;
  if (distinct_count() > 0) rebuild_table(slots_for(distinct_count()), true);
}

}  // namespace accents
