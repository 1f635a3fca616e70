#include "accents/dictionary_index.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>
#include <utility>

#include "accents/xxh3.h"

namespace accents {

namespace {

constexpr unsigned char magic[8] = {'T', 'I', 'L', 'D', 'I', 'D', 'X', 0};
constexpr std::uint32_t format_version = 2;
constexpr std::size_t header_size = 128;
// The index's own hash covers everything from here on, its tables and the header fields after it.
constexpr std::size_t hashed_from = 56;

std::uint64_t read_u64(const unsigned char* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
std::uint32_t read_u32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
void put_u64(std::vector<unsigned char>& out, std::size_t at, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
void put_u32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
void append_u64(std::vector<unsigned char>& out, std::uint64_t v) {
  out.resize(out.size() + 8);
  put_u64(out, out.size() - 8, v);
}
void append_u32(std::vector<unsigned char>& out, std::uint32_t v) {
  out.resize(out.size() + 4);
  put_u32(out, out.size() - 4, v);
}

}  // namespace

void FingerprintMaker::add(std::span<const unsigned char> bytes) {
  hash_.add(bytes);
  size_ += bytes.size();
}

DictionaryFingerprint FingerprintMaker::finish() const {
  const xxh3::Hash128 h = hash_.finish();
  return {size_, h.low, h.high};
}

DictionaryFingerprint fingerprint_of(std::span<const unsigned char> file) {
  const xxh3::Hash128 h = xxh3::hash(file);
  return {file.size(), h.low, h.high};
}

std::vector<unsigned char> make_dictionary_index(AccentDictionary dictionary, const DictionaryFingerprint& file) {
  dictionary.use_key({file.hash_low ^ 0x5449'4C44'4152'494Full, file.hash_high});
  const AccentDictionary::Tables t = dictionary.tables();

  std::vector<unsigned char> out(header_size, 0);
  std::memcpy(out.data(), magic, sizeof magic);
  put_u32(out, 8, format_version);
  put_u32(out, 12, header_size);
  put_u64(out, 16, file.size);
  put_u64(out, 24, file.hash_low);
  put_u64(out, 32, file.hash_high);
  put_u64(out, 56, t.key.k0);
  put_u64(out, 64, t.key.k1);
  put_u64(out, 72, t.entry_count);
  put_u32(out, 80, static_cast<std::uint32_t>(t.starts.empty() ? 0 : t.starts.size() - 1));
  put_u32(out, 84, static_cast<std::uint32_t>(t.arena.size()));
  put_u32(out, 88, static_cast<std::uint32_t>(t.slots.size()));
  put_u32(out, 92, t.longest);
  put_u32(out, 96, t.max_distance);
  put_u32(out, 100, t.has_empty ? 1 : 0);
  put_u32(out, 104, static_cast<std::uint32_t>(t.restorable.size()));
  for (const std::uint64_t f : t.filter) append_u64(out, f);
  for (const std::uint64_t f : t.restorable) append_u64(out, f);
  for (const std::uint32_t s : t.slots) append_u32(out, s);
  if (t.starts.empty()) append_u32(out, 0);
  for (const std::uint32_t s : t.starts) append_u32(out, s);
  out.insert(out.end(), t.arena.begin(), t.arena.end());

  const xxh3::Hash128 h = xxh3::hash(std::span(out).subspan(hashed_from));
  put_u64(out, 40, h.low);
  put_u64(out, 48, h.high);
  return out;
}

std::optional<DictionaryFingerprint> recorded_fingerprint(std::span<const unsigned char> index) {
  if (index.size() < header_size || std::memcmp(index.data(), magic, sizeof magic) != 0 ||
      read_u32(index.data() + 8) != format_version || read_u32(index.data() + 12) != header_size)
    return std::nullopt;
  return DictionaryFingerprint{read_u64(index.data() + 16), read_u64(index.data() + 24), read_u64(index.data() + 32)};
}

struct IndexCheck::Layout {
  DictionaryFingerprint recorded;
  std::uint64_t own_low = 0;
  std::uint64_t own_high = 0;
  AccentDictionary::Tables tables;
  std::uint64_t distinct = 0;
  std::uint64_t slot_count = 0;
  std::uint64_t arena_size = 0;
  // Where the slots and the word starts lie: one run of 32-bit fields, the slots first.
  std::uint64_t fields_at = 0;
  std::uint64_t fields_end = 0;
};

IndexCheck::IndexCheck(std::span<const unsigned char> index) : index_(index) {
  // The tables are used as they lie: little-endian fields, read in place.
  if constexpr (std::endian::native != std::endian::little) return;
  if (reinterpret_cast<std::uintptr_t>(index.data()) % alignof(std::uint64_t) != 0) return;
  const std::optional<DictionaryFingerprint> recorded = recorded_fingerprint(index);
  if (!recorded) return;
  const unsigned char* h = index.data();
  for (std::size_t i = 108; i < header_size; ++i)
    if (h[i] != 0) return;

  const std::uint64_t distinct = read_u32(h + 80);
  const std::uint64_t arena_size = read_u32(h + 84);
  const std::uint64_t slot_count = read_u32(h + 88);
  const std::uint32_t has_empty = read_u32(h + 100);
  const std::uint64_t restorable_count = read_u32(h + 104);
  if (has_empty > 1 || slot_count % 8 != 0) return;
  // Each part's size in 64 bits: no count of 32 bits can overflow them.
  const std::uint64_t filter_bytes = slot_count / 8 * 8;
  const std::uint64_t restorable_bytes = restorable_count * 8;
  const std::uint64_t slot_bytes = slot_count * 4;
  const std::uint64_t start_bytes = (distinct + 1) * 4;
  if (index.size() != header_size + filter_bytes + restorable_bytes + slot_bytes + start_bytes + arena_size) return;

  auto layout = std::make_unique<Layout>();
  layout->recorded = *recorded;
  layout->own_low = read_u64(h + 40);
  layout->own_high = read_u64(h + 48);
  layout->distinct = distinct;
  layout->slot_count = slot_count;
  layout->arena_size = arena_size;
  const unsigned char* p = h + header_size;
  AccentDictionary::Tables& t = layout->tables;
  t.key = {read_u64(h + 56), read_u64(h + 64)};
  t.entry_count = read_u64(h + 72);
  t.longest = read_u32(h + 92);
  t.max_distance = read_u32(h + 96);
  t.has_empty = has_empty == 1;
  t.filter = {reinterpret_cast<const std::uint64_t*>(p), static_cast<std::size_t>(slot_count / 8)};
  p += filter_bytes;
  t.restorable = {reinterpret_cast<const std::uint64_t*>(p), static_cast<std::size_t>(restorable_count)};
  p += restorable_bytes;
  layout->fields_at = static_cast<std::uint64_t>(p - h);
  t.slots = {reinterpret_cast<const std::uint32_t*>(p), static_cast<std::size_t>(slot_count)};
  p += slot_bytes;
  t.starts = {reinterpret_cast<const std::uint32_t*>(p), static_cast<std::size_t>(distinct + 1)};
  p += start_bytes;
  layout->fields_end = static_cast<std::uint64_t>(p - h);
  t.arena = {reinterpret_cast<const char*>(p), static_cast<std::size_t>(arena_size)};
  layout_ = std::move(layout);
}

IndexCheck::~IndexCheck() = default;

void IndexCheck::add(std::span<const unsigned char> piece) {
  const std::uint64_t start = read_;
  read_ += piece.size();
  if (!layout_ || fault_) return;
  if (read_ > index_.size()) {
    fault_ = true;
    return;
  }
  if (read_ > hashed_from) hash_.add(piece.subspan(start < hashed_from ? hashed_from - start : 0));

  const std::uint64_t from = std::max(start, layout_->fields_at);
  const std::uint64_t to = std::min(read_, layout_->fields_end);
  if (from >= to) return;
  const unsigned char* p = piece.data() + (from - start);
  std::size_t left = static_cast<std::size_t>(to - from);
  if (partial_size_ > 0) {
    const std::size_t taken = std::min(left, sizeof partial_ - partial_size_);
    std::memcpy(partial_ + partial_size_, p, taken);
    partial_size_ += taken;
    p += taken;
    left -= taken;
    if (partial_size_ < sizeof partial_) return;
    check_fields(partial_, 1);
    partial_size_ = 0;
  }
  check_fields(p, left / 4);
  partial_size_ = left % 4;
  std::memcpy(partial_, p + left / 4 * 4, partial_size_);
}

// Each slot is empty or names a word; the word starts rise from 0, a word of at least one byte
// each (the last start is checked against the words' bytes when the dictionary is opened).
void IndexCheck::check_fields(const unsigned char* fields, std::size_t count) {
  const Layout& l = *layout_;
  std::size_t i = 0;
  if (field_ < l.slot_count) {
    const std::size_t slots = static_cast<std::size_t>(std::min<std::uint64_t>(count, l.slot_count - field_));
    const std::uint32_t mask = static_cast<std::uint32_t>(l.slot_count - 1);
    const std::uint32_t distinct = static_cast<std::uint32_t>(l.distinct);
    std::uint32_t bad = 0;
    for (; i < slots; ++i) {
      std::uint32_t s;
      std::memcpy(&s, fields + 4 * i, 4);
      // (s & mask) - 1 wraps below zero for a slot that names no word.
      bad |= static_cast<std::uint32_t>(s != 0) & static_cast<std::uint32_t>(((s & mask) - 1) >= distinct);
    }
    fault_ |= bad != 0;
    field_ += slots;
  }
  if (i < count && field_ == l.slot_count) {
    std::memcpy(&previous_start_, fields + 4 * i, 4);
    fault_ |= previous_start_ != 0;
    ++i;
    ++field_;
  }
  for (; i < count; ++i, ++field_) {
    std::uint32_t s;
    std::memcpy(&s, fields + 4 * i, 4);
    fault_ |= s <= previous_start_;
    longest_ = std::max(longest_, s - previous_start_);
    previous_start_ = s;
  }
}

std::optional<AccentDictionary> IndexCheck::open(const DictionaryFingerprint& file,
                                                 std::shared_ptr<const void> keeper) {
  if (!layout_ || fault_ || read_ != index_.size() || partial_size_ != 0 || layout_->recorded != file)
    return std::nullopt;
  const xxh3::Hash128 own = hash_.finish();
  if (own.low != layout_->own_low || own.high != layout_->own_high) return std::nullopt;
  if (longest_ != layout_->tables.longest) return std::nullopt;
  return AccentDictionary::over(layout_->tables, std::move(keeper));
}

std::optional<AccentDictionary> open_dictionary_index(std::span<const unsigned char> index,
                                                      const DictionaryFingerprint& file,
                                                      std::shared_ptr<const void> keeper) {
  IndexCheck check(index);
  // In pieces that stay in the cache between hashing and checking them.
  constexpr std::size_t piece = 64 << 10;
  for (std::size_t at = 0; at < index.size(); at += piece)
    check.add(index.subspan(at, std::min(piece, index.size() - at)));
  return check.open(file, std::move(keeper));
}

}  // namespace accents
