#include "accents/accent_dictionary.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace accents {

namespace {

constexpr std::uint64_t mix(std::uint64_t x) {
  x *= 0x9E3779B97F4A7C15ull;
  return x ^ (x >> 29);
}

// Words are short: eight bytes at a time, then a final avalanche so that both the low bits
// (slot position) and the high bits (spare hash bits in the slot) are well spread.
std::uint64_t hash_bytes(std::string_view s) {
  std::uint64_t h = 0x243F6A8885A308D3ull ^ s.size();
  const char* p = s.data();
  std::size_t n = s.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, p, 8);
    h = mix(h ^ chunk);
  }
  if (n > 0) {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, p, n);
    h = mix(h ^ chunk);
  }
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  return h ^ (h >> 32);
}

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
  const std::uint64_t g = (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9ull;
  filter_[static_cast<std::size_t>(g >> filter_shift_)] |= (std::uint64_t{1} << (g & 63)) | (std::uint64_t{1} << ((g >> 6) & 63));
}

bool AccentDictionary::maybe_in_filter(std::uint64_t hash) const {
  const std::uint64_t g = (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9ull;
  const std::uint64_t bits = (std::uint64_t{1} << (g & 63)) | (std::uint64_t{1} << ((g >> 6) & 63));
  return (filter_[static_cast<std::size_t>(g >> filter_shift_)] & bits) == bits;
}

void AccentDictionary::rebuild_table(std::size_t slot_count) {
  slots_.assign(slot_count, 0);
  filter_.assign(slot_count / 8, 0);
  filter_shift_ = 64;
  for (std::size_t n = filter_.size(); n > 1; n /= 2) --filter_shift_;
  const std::uint32_t mask = static_cast<std::uint32_t>(slot_count - 1);
  for (std::uint32_t i = 0; i + 1 < starts_.size(); ++i) {
    const std::uint64_t h = hash_bytes(word(i));
    std::size_t pos = static_cast<std::size_t>(h) & mask;
    while (slots_[pos] != 0) pos = (pos + 1) & mask;
    slots_[pos] = (static_cast<std::uint32_t>(h >> 32) & ~mask) | (i + 1);
    mark_in_filter(h);
  }
}

void AccentDictionary::add(std::string_view entry) {
  ++entry_count_;
  if (entry.empty()) {
    has_empty_ = true;
    return;
  }
  if (entry.size() > std::numeric_limits<std::uint32_t>::max() - arena_.size())
    throw std::length_error("accent dictionary larger than 4 GiB");
  if (starts_.empty()) starts_.push_back(0);
  if (distinct_count() + 1 > slots_.size() / 4 * 3) rebuild_table(slots_for(distinct_count() + 1));

  const std::uint32_t mask = static_cast<std::uint32_t>(slots_.size() - 1);
  const std::uint64_t h = hash_bytes(entry);
  const std::uint32_t spare = static_cast<std::uint32_t>(h >> 32) & ~mask;
  std::size_t pos = static_cast<std::size_t>(h) & mask;
  for (; slots_[pos] != 0; pos = (pos + 1) & mask) {
    const std::uint32_t s = slots_[pos];
    if ((s & ~mask) == spare && word((s & mask) - 1) == entry) return;
  }
  const auto index = static_cast<std::uint32_t>(distinct_count());
  if (entry.size() > longest_) longest_ = entry.size();
  arena_.append(entry);
  starts_.push_back(static_cast<std::uint32_t>(arena_.size()));
  slots_[pos] = spare | (index + 1);
  mark_in_filter(h);
}

bool AccentDictionary::contains(std::string_view w) const {
  if (w.empty()) return has_empty_;
  if (slots_.empty()) return false;
  const std::uint32_t mask = static_cast<std::uint32_t>(slots_.size() - 1);
  const std::uint64_t h = hash_bytes(w);
  if (!maybe_in_filter(h)) return false;
  const std::uint32_t spare = static_cast<std::uint32_t>(h >> 32) & ~mask;
  for (std::size_t pos = static_cast<std::size_t>(h) & mask;; pos = (pos + 1) & mask) {
    const std::uint32_t s = slots_[pos];
    if (s == 0) return false;
    if ((s & ~mask) == spare && word((s & mask) - 1) == w) return true;
  }
}

std::size_t AccentDictionary::index_bytes() const {
  return sizeof(*this) + (arena_.capacity() - arena_.size()) + starts_.capacity() * sizeof(std::uint32_t) +
         slots_.capacity() * sizeof(std::uint32_t) + filter_.capacity() * sizeof(std::uint64_t);
}

}  // namespace accents
