#include "accents/dictionary_index.h"

#include <bit>
#include <cstring>
#include <string_view>
#include <utility>

#define XXH_INLINE_ALL
#include <xxhash.h>

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

struct FingerprintMaker::State {
  XXH3_state_t xxh;
  std::uint64_t size = 0;
};

FingerprintMaker::FingerprintMaker() : state_(std::make_unique<State>()) { XXH3_128bits_reset(&state_->xxh); }

FingerprintMaker::~FingerprintMaker() = default;

void FingerprintMaker::add(std::span<const unsigned char> bytes) {
  XXH3_128bits_update(&state_->xxh, bytes.data(), bytes.size());
  state_->size += bytes.size();
}

DictionaryFingerprint FingerprintMaker::finish() const {
  const XXH128_hash_t h = XXH3_128bits_digest(&state_->xxh);
  return {state_->size, h.low64, h.high64};
}

DictionaryFingerprint fingerprint_of(std::span<const unsigned char> file) {
  const XXH128_hash_t h = XXH3_128bits(file.data(), file.size());
  return {file.size(), h.low64, h.high64};
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

  const XXH128_hash_t h = XXH3_128bits(out.data() + hashed_from, out.size() - hashed_from);
  put_u64(out, 40, h.low64);
  put_u64(out, 48, h.high64);
  return out;
}

std::optional<DictionaryFingerprint> recorded_fingerprint(std::span<const unsigned char> index) {
  if (index.size() < header_size || std::memcmp(index.data(), magic, sizeof magic) != 0 ||
      read_u32(index.data() + 8) != format_version || read_u32(index.data() + 12) != header_size)
    return std::nullopt;
  return DictionaryFingerprint{read_u64(index.data() + 16), read_u64(index.data() + 24), read_u64(index.data() + 32)};
}

std::optional<AccentDictionary> open_dictionary_index(std::span<const unsigned char> index,
                                                      const DictionaryFingerprint& file,
                                                      std::shared_ptr<const void> keeper) {
  // The tables are used as they lie: little-endian fields, read in place.
  if constexpr (std::endian::native != std::endian::little) return std::nullopt;
  if (reinterpret_cast<std::uintptr_t>(index.data()) % alignof(std::uint64_t) != 0) return std::nullopt;
  if (recorded_fingerprint(index) != file) return std::nullopt;
  const unsigned char* h = index.data();
  for (std::size_t i = 108; i < header_size; ++i)
    if (h[i] != 0) return std::nullopt;
  const XXH128_hash_t own = XXH3_128bits(h + hashed_from, index.size() - hashed_from);
  if (own.low64 != read_u64(h + 40) || own.high64 != read_u64(h + 48)) return std::nullopt;

  const std::uint64_t distinct = read_u32(h + 80);
  const std::uint64_t arena_size = read_u32(h + 84);
  const std::uint64_t slot_count = read_u32(h + 88);
  const std::uint32_t has_empty = read_u32(h + 100);
  const std::uint64_t restorable_count = read_u32(h + 104);
  if (has_empty > 1 || slot_count % 8 != 0) return std::nullopt;
  // Each part's size in 64 bits: no count of 32 bits can overflow them.
  const std::uint64_t filter_bytes = slot_count / 8 * 8;
  const std::uint64_t restorable_bytes = restorable_count * 8;
  const std::uint64_t slot_bytes = slot_count * 4;
  const std::uint64_t start_bytes = (distinct + 1) * 4;
  if (index.size() != header_size + filter_bytes + restorable_bytes + slot_bytes + start_bytes + arena_size)
    return std::nullopt;

  const unsigned char* p = h + header_size;
  AccentDictionary::Tables t;
  t.key = {read_u64(h + 56), read_u64(h + 64)};
  t.entry_count = read_u64(h + 72);
  t.longest = read_u32(h + 92);
  t.max_distance = read_u32(h + 96);
  t.has_empty = has_empty == 1;
  t.filter = {reinterpret_cast<const std::uint64_t*>(p), static_cast<std::size_t>(slot_count / 8)};
  p += filter_bytes;
  t.restorable = {reinterpret_cast<const std::uint64_t*>(p), static_cast<std::size_t>(restorable_count)};
  p += restorable_bytes;
  t.slots = {reinterpret_cast<const std::uint32_t*>(p), static_cast<std::size_t>(slot_count)};
  p += slot_bytes;
  t.starts = {reinterpret_cast<const std::uint32_t*>(p), static_cast<std::size_t>(distinct + 1)};
  p += start_bytes;
  t.arena = {reinterpret_cast<const char*>(p), static_cast<std::size_t>(arena_size)};
  return AccentDictionary::over(t, std::move(keeper));
}

}  // namespace accents
