#include "accents/accent_dictionary.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace accents {

namespace {

// Far above what a well-spread table at load 3/4 ever needs, far below what would make the
// linear probing quadratic.
constexpr std::size_t max_probe_distance = 256;

// The filter's bits come from a second mix, independent of the slot position.
constexpr std::uint64_t filter_hash(std::uint64_t hash) { return (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9ull; }

// Smallest power of two that keeps `entries` at or under 3/4 of the slots.
std::size_t slots_for(std::size_t entries) {
  std::size_t n = 16;
  while (entries > n / 4 * 3) n *= 2;
  return n;
}

}  // namespace

void AccentDictionary::reserve(std::size_t entries, std::size_t total_bytes) {
  arena_.reserve(total_bytes);
  starts_.reserve(entries + 1);
  if (slots_for(entries) > slots_.size()) rebuild_table(slots_for(entries));
}

void AccentDictionary::mark_in_filter(std::uint64_t hash) {
  const std::uint64_t g = filter_hash(hash);
  filter_[static_cast<std::size_t>(g >> filter_shift_)] |= (std::uint64_t{1} << (g & 63)) | (std::uint64_t{1} << ((g >> 6) & 63));
}

bool AccentDictionary::maybe_in_filter(std::uint64_t hash) const {
  const std::uint64_t g = filter_hash(hash);
  const std::uint64_t bits = (std::uint64_t{1} << (g & 63)) | (std::uint64_t{1} << ((g >> 6) & 63));
  return (filter_[static_cast<std::size_t>(g >> filter_shift_)] & bits) == bits;
}

bool AccentDictionary::place(std::uint32_t index, std::uint64_t h) {
  const std::uint32_t mask = static_cast<std::uint32_t>(slots_.size() - 1);
  std::size_t pos = static_cast<std::size_t>(h) & mask;
  std::size_t distance = 0;
  for (; slots_[pos] != 0; pos = (pos + 1) & mask)
    if (++distance > max_probe_distance) return false;
  slots_[pos] = (static_cast<std::uint32_t>(h >> 32) & ~mask) | (index + 1);
  max_distance_ = std::max(max_distance_, distance);
  mark_in_filter(h);
  return true;
}

void AccentDictionary::rebuild_table(std::size_t slot_count) {
  for (int attempt = 0;; ++attempt) {
    if (attempt > 0) {
      key_ = text::random_hash_key();
      ++key_generation_;
      // Keys keep failing only when the table is too full to spread well: give it room.
      if (attempt % 4 == 0) slot_count *= 2;
    }
    slots_.assign(slot_count, 0);
    filter_.assign(slot_count / 8, 0);
    filter_shift_ = 64;
    for (std::size_t n = filter_.size(); n > 1; n /= 2) --filter_shift_;
    max_distance_ = 0;
    bool placed = true;
    for (std::uint32_t i = 0; placed && i + 1 < starts_.size(); ++i) placed = place(i, hash(word(i)));
    if (placed) return;
  }
}

void AccentDictionary::add(std::string_view entry) { insert(entry, hash(entry), key_generation_); }

void AccentDictionary::add_all(std::span<const std::string_view> entries) {
  // Each insertion lands on a random slot and filter word of tables far larger than the caches;
  // hashing a few entries ahead and prefetching their places lets those misses overlap.
  constexpr std::size_t ahead = 8;
  std::uint64_t hashes[ahead];
  unsigned generations[ahead];
  const auto hash_ahead = [&](std::size_t i) {
    hashes[i % ahead] = hash(entries[i]);
    generations[i % ahead] = key_generation_;
    prefetch(hashes[i % ahead]);
  };
  for (std::size_t i = 0; i < ahead && i < entries.size(); ++i) hash_ahead(i);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::uint64_t h = hashes[i % ahead];
    const unsigned generation = generations[i % ahead];
    if (i + ahead < entries.size()) hash_ahead(i + ahead);
    insert(entries[i], h, generation);
  }
}

void AccentDictionary::prefetch(std::uint64_t hash) const {
#if defined(__GNUC__)
  if (slots_.empty()) return;
  __builtin_prefetch(&slots_[static_cast<std::size_t>(hash) & (slots_.size() - 1)]);
  __builtin_prefetch(&filter_[static_cast<std::size_t>(filter_hash(hash) >> filter_shift_)]);
#else
  (void)hash;
#endif
}

void AccentDictionary::insert(std::string_view entry, std::uint64_t h, unsigned generation) {
  ++entry_count_;
  if (entry.empty()) {
    has_empty_ = true;
    return;
  }
  if (entry.size() > std::numeric_limits<std::uint32_t>::max() - arena_.size())
    throw std::length_error("accent dictionary larger than 4 GiB");
  if (starts_.empty()) starts_.push_back(0);
  if (distinct_count() + 1 > slots_.size() / 4 * 3) rebuild_table(slots_for(distinct_count() + 1));

  if (generation != key_generation_) h = hash(entry);
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
  if (!place(index, h)) rebuild_table(slots_.size());
}

bool AccentDictionary::contains(std::string_view w) const {
  if (w.empty()) return has_empty_;
  if (slots_.empty()) return false;
  const std::uint32_t mask = static_cast<std::uint32_t>(slots_.size() - 1);
  const std::uint64_t h = hash(w);
  if (!maybe_in_filter(h)) return false;
  const std::uint32_t spare = static_cast<std::uint32_t>(h >> 32) & ~mask;
  std::size_t pos = static_cast<std::size_t>(h) & mask;
  for (std::size_t distance = 0; distance <= max_distance_; ++distance, pos = (pos + 1) & mask) {
    const std::uint32_t s = slots_[pos];
    if (s == 0) return false;
    if ((s & ~mask) == spare && word((s & mask) - 1) == w) return true;
  }
  return false;
}

std::size_t AccentDictionary::index_bytes() const {
  return sizeof(*this) + (arena_.capacity() - arena_.size()) + starts_.capacity() * sizeof(std::uint32_t) +
         slots_.capacity() * sizeof(std::uint32_t) + filter_.capacity() * sizeof(std::uint64_t);
}

}  // namespace accents
