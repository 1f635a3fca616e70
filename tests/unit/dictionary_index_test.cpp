#include "accents/dictionary_index.h"

#include <gtest/gtest.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_file.h"
#include "accents/dictionary_loader.h"
#include "text/code_page_text.h"

namespace {

using accents::AccentDictionary;
using Bytes = std::vector<unsigned char>;

Bytes records_of(const std::vector<std::string>& words) {
  Bytes file;
  for (const std::string& w : words) {
    const auto record = accents::encode_record(w);
    EXPECT_TRUE(record) << w;
    if (record) file.insert(file.end(), record->begin(), record->end());
  }
  // A record with every field empty: the empty entry.
  file.resize(file.size() + accents::record_size, 0);
  return file;
}

// Duplicates, spaces to trim, capitals to lower, and words of every length up to 40 bytes.
const std::vector<std::string> words = {
    "cami\xF3n",   " CAMI\xD3N ", "c\xF3mo", "est\xE1", "\xC1rea",
    "m\xE1s",      "m\xE1s",      "esta",    "a",       "abcdefghijklmnopqrstuvwxyzabcdefghijklmn",
    "elecci\xF3n", "p\xEDxeles",
};

AccentDictionary loaded(std::span<const unsigned char> file) {
  accents::DictionaryLoad load = accents::load_accent_dictionary(file);
  EXPECT_FALSE(load.format_error);
  return std::move(load.dictionary);
}

// An index as it lies in a mapped file: at an address aligned to 8 bytes.
struct MappedIndex {
  explicit MappedIndex(const Bytes& bytes) : words((bytes.size() + 7) / 8), size(bytes.size()) {
    if (!bytes.empty()) std::memcpy(words.data(), bytes.data(), bytes.size());
  }
  std::span<const unsigned char> bytes() const { return {reinterpret_cast<const unsigned char*>(words.data()), size}; }
  std::vector<std::uint64_t> words;
  std::size_t size;
};

// `piece`: the index also read from its file in pieces of this size (with `read`, the bytes read
// in place of the mapped ones); 0: only mapped.
std::optional<AccentDictionary> open(const Bytes& index, const accents::DictionaryFingerprint& file,
                                     std::size_t piece = 0, const Bytes* read = nullptr) {
  auto mapped = std::make_shared<MappedIndex>(index);
  const auto bytes = mapped->bytes();
  if (piece == 0) return accents::open_dictionary_index(bytes, file, std::move(mapped));
  const Bytes& from_file = read ? *read : index;
  accents::IndexCheck check(bytes);
  for (std::size_t at = 0; at < from_file.size(); at += piece)
    check.add(std::span(from_file).subspan(at, std::min(piece, from_file.size() - at)));
  return check.open(file, std::move(mapped));
}

// Mapped only, and read in pieces of sizes that cut the 32-bit fields anywhere.
constexpr std::size_t piece_sizes[] = {0, 1, 3, 6, 4097};

// A made-up index, sealed with its own hash as the tool seals it, so that only its tables are judged.
void seal(Bytes& index) {
  const XXH128_hash_t h = XXH3_128bits(index.data() + 56, index.size() - 56);
  for (int i = 0; i < 8; ++i) {
    index[40 + i] = static_cast<unsigned char>(h.low64 >> (8 * i));
    index[48 + i] = static_cast<unsigned char>(h.high64 >> (8 * i));
  }
}

std::string restored(std::string text, const AccentDictionary& d) {
  text::CodePageText page{std::move(text), {}, {}};
  accents::AccentCorrections corrections;
  accents::restore_accents(page, d, corrections);
  return page.text + "|" + accents::correction_report(corrections);
}

TEST(DictionaryIndex, AnswersAsTheDictionaryItWasMadeFrom) {
  const Bytes file = records_of(words);
  const AccentDictionary direct = loaded(file);
  const auto fingerprint = accents::fingerprint_of(file);
  const auto indexed = open(accents::make_dictionary_index(loaded(file), fingerprint), fingerprint);
  ASSERT_TRUE(indexed);
  EXPECT_EQ(indexed->entry_count(), direct.entry_count());
  EXPECT_EQ(indexed->distinct_count(), direct.distinct_count());
  EXPECT_EQ(indexed->longest(), direct.longest());
  for (const std::string_view w : {"cami\xF3n", "camion", "Cami\xF3n", "c\xF3mo", "como", "est\xE1", "esta", "\xE1rea",
                                   "", "a", "b", "abcdefghijklmnopqrstuvwxyzabcdefghijklmn", "p\xEDxeles", "pixeles"}) {
    SCOPED_TRACE(w);
    EXPECT_EQ(indexed->contains(w), direct.contains(w));
  }
  const std::string text = "Como esta el CAMION? Area, mas pixeles y eleccion; esta camion.";
  EXPECT_EQ(restored(text, *indexed), restored(text, direct));

  // Read from its file in pieces: the same answers, but only from the whole file, no more, no less.
  const Bytes index = accents::make_dictionary_index(loaded(file), fingerprint);
  for (const std::size_t piece : piece_sizes) {
    SCOPED_TRACE(piece);
    const auto read = open(index, fingerprint, piece);
    ASSERT_TRUE(read);
    EXPECT_EQ(restored(text, *read), restored(text, direct));
    const Bytes shorter(index.begin(), index.end() - 1);
    Bytes longer = index;
    longer.push_back(0);
    if (piece == 0) continue;
    EXPECT_FALSE(open(index, fingerprint, piece, &shorter));
    EXPECT_FALSE(open(index, fingerprint, piece, &longer));
  }

  // An empty dictionary file has an index too.
  const Bytes empty;
  const auto none = open(accents::make_dictionary_index(loaded(empty), accents::fingerprint_of(empty)),
                         accents::fingerprint_of(empty));
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(none->contains("a"));
}

// One dictionary file gives one index, whatever key its table was first loaded with, and on
// every system: the hash below is the same for the native, the 32-bit and the 64-bit build.
TEST(DictionaryIndex, SameBytesEveryTimeAndEverywhere) {
  const Bytes file = records_of(words);
  const auto fingerprint = accents::fingerprint_of(file);
  const Bytes first = accents::make_dictionary_index(loaded(file), fingerprint);
  EXPECT_EQ(accents::make_dictionary_index(loaded(file), fingerprint), first);
  EXPECT_EQ(fingerprint.size, file.size());
  EXPECT_EQ(XXH3_64bits(first.data(), first.size()), 2757792379194962615u);
}

// Each kind of XXH3 code the processor runs gives the library's hash, at once and a piece at a
// time, across the lengths where XXH3 changes its method.
TEST(DictionaryIndex, EveryKindOfHashCodeGivesXxh3) {
  Bytes data(100'003);
  std::uint32_t state = 1;
  for (unsigned char& b : data) b = static_cast<unsigned char>((state = state * 1'103'515'245u + 12'345u) >> 24);
  const auto kernels = accents::xxh3::runnable_kernels();
  ASSERT_FALSE(kernels.empty());
  for (const std::size_t size : {0, 1, 16, 17, 128, 129, 240, 241, 1024, 1025, 100'003}) {
    SCOPED_TRACE(size);
    const XXH128_hash_t expected = XXH3_128bits(data.data(), size);
    for (const accents::xxh3::Kernel* kernel : kernels) {
      const accents::xxh3::Hash128 whole = kernel->whole(data.data(), size);
      EXPECT_EQ(whole.low, expected.low64);
      EXPECT_EQ(whole.high, expected.high64);
      void* stream = kernel->create();
      ASSERT_NE(stream, nullptr);
      for (std::size_t at = 0; at < size; at += 77)
        kernel->update(stream, data.data() + at, std::min<std::size_t>(77, size - at));
      const accents::xxh3::Hash128 streamed = kernel->digest(stream);
      kernel->destroy(stream);
      EXPECT_EQ(streamed.low, expected.low64);
      EXPECT_EQ(streamed.high, expected.high64);
    }
  }
}

// Made from another file, even of the same length: not used.
TEST(DictionaryIndex, RefusedForAnyOtherDictionaryFile) {
  const Bytes file = records_of(words);
  const Bytes index = accents::make_dictionary_index(loaded(file), accents::fingerprint_of(file));
  Bytes changed = file;
  changed[4] ^= 1;
  Bytes longer = file;
  longer.resize(longer.size() + accents::record_size, 0);
  for (const Bytes& other : {changed, longer, Bytes{}}) EXPECT_FALSE(open(index, accents::fingerprint_of(other)));

  // Pieces of any size give the fingerprint of the whole.
  accents::FingerprintMaker pieces;
  for (std::size_t at = 0; at < file.size(); at += 77)
    pieces.add(std::span(file).subspan(at, std::min<std::size_t>(77, file.size() - at)));
  EXPECT_EQ(pieces.finish(), accents::fingerprint_of(file));
}

// Any one byte changed, the index cut short or made longer: refused.
TEST(DictionaryIndex, DamagedIndexRefused) {
  const Bytes file = records_of(words);
  const auto fingerprint = accents::fingerprint_of(file);
  const Bytes index = accents::make_dictionary_index(loaded(file), fingerprint);
  ASSERT_TRUE(open(index, fingerprint));
  for (std::size_t i = 0; i < index.size(); ++i) {
    Bytes damaged = index;
    damaged[i] ^= 0x20;
    EXPECT_FALSE(open(damaged, fingerprint)) << "byte " << i;
  }
  for (const std::size_t size : {std::size_t{0}, std::size_t{100}, index.size() - 1, index.size() + 8}) {
    Bytes resized = index;
    resized.resize(size);
    EXPECT_FALSE(open(resized, fingerprint)) << size;
  }
  // Not where a mapped file would lie.
  std::vector<std::uint64_t> room(index.size() / 8 + 2);
  auto* misaligned = reinterpret_cast<unsigned char*>(room.data()) + 1;
  std::memcpy(misaligned, index.data(), index.size());
  EXPECT_FALSE(accents::open_dictionary_index(std::span(misaligned, index.size()), fingerprint, nullptr));
}

// Tables that would lead a lookup outside them, or take it too far, are refused even when the
// index's own hash is right.
TEST(DictionaryIndex, InconsistentTablesRefusedEvenWhenSealed) {
  const Bytes file = records_of(words);
  const auto fingerprint = accents::fingerprint_of(file);
  const Bytes index = accents::make_dictionary_index(loaded(file), fingerprint);
  const auto u32 = [](const Bytes& b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
  };
  const auto put = [](Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  const std::uint32_t distinct = u32(index, 80), slots = u32(index, 88), restorable = u32(index, 104);
  const std::size_t restorable_at = 128 + slots, slots_at = restorable_at + 8 * std::size_t{restorable},
                    starts_at = slots_at + 4 * std::size_t{slots};
  std::size_t used_slot = slots_at;
  while (u32(index, used_slot) == 0) used_slot += 4;
  const std::uint32_t mask = slots - 1;

  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
  } cases[] = {
      {"a slot naming a word past the last", used_slot, (u32(index, used_slot) & ~mask) | (distinct + 1)},
      {"a slot naming word 0", used_slot, u32(index, used_slot) & ~mask},
      {"starts going back", starts_at + 8, u32(index, starts_at + 4) - 1},
      {"a start past the words", starts_at + 4, u32(index, 84) + 1},
      {"a probe farther than any lookup looks", 96, 257},
      {"a probe around the whole table", 96, slots},
      {"a wrong longest word", 92, 39},
      {"the empty entry neither yes nor no", 100, 2},
      {"fewer entries than words", 72, distinct - 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bad = index;
    put(bad, c.at, c.value);
    seal(bad);
    for (const std::size_t piece : piece_sizes) EXPECT_FALSE(open(bad, fingerprint, piece)) << piece;
  }
  Bytes resealed = index;
  seal(resealed);
  for (const std::size_t piece : piece_sizes) EXPECT_TRUE(open(resealed, fingerprint, piece)) << piece;

  // A filter of the words that may take an accent whose size is no power of two, even with the
  // file's length to match.
  for (const std::uint32_t blocks : {1u, 3u}) {
    SCOPED_TRACE(blocks);
    Bytes bad = index;
    bad.erase(bad.begin() + static_cast<std::ptrdiff_t>(restorable_at),
              bad.begin() + static_cast<std::ptrdiff_t>(slots_at));
    bad.insert(bad.begin() + static_cast<std::ptrdiff_t>(restorable_at), 8 * std::size_t{blocks}, 0xFF);
    put(bad, 104, blocks);
    seal(bad);
    EXPECT_FALSE(open(bad, fingerprint));
  }
}

}  // namespace
