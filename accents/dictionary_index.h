#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "accents/accent_dictionary.h"
#include "accents/xxh3.h"

// The ready index: the accent dictionary's lookup tables as a file beside diccionario.log, made
// by the build (tools/make_dictionary_index) and mapped and used as it lies, with no decoding
// and no hashing of words at start. The same bytes on every system: little-endian fixed-width
// fields, no pointers.
//
// It answers for one dictionary file only. It records that file's size and a 128-bit XXH3 of
// its bytes, and a program uses it only when the diccionario.log it finds has the same; a
// second XXH3 covers the index itself, so that a damaged index is refused, and every slot and
// word start is checked, so that no index, even one sealed anew, can lead a lookup outside its
// tables. Otherwise the program loads diccionario.log as it would without an index.
//
// Layout (offsets in bytes):
//     0  8  "TILDIDX\0"
//     8  4  format version (2)
//    12  4  header size (128)
//    16  8  size of the dictionary file
//    24 16  XXH3-128 of the dictionary file (low, high)
//    40 16  XXH3-128 of the index from offset 56 to its end
//    56 16  hash key of the words (k0, k1)
//    72  8  entries (records) of the dictionary file
//    80  4  distinct words
//    84  4  bytes of the words
//    88  4  table slots (0, or a power of two)
//    92  4  longest word
//    96  4  farthest probe
//   100  4  1 when the dictionary has the empty entry
//   104  4  blocks of the filter of words that may take an accent (0, or a power of two)
//   108 20  zero
//   128     filter: slots / 8 words of 64 bits; filter of words that may take an accent: its
//           blocks of 64 bits; slots: 32 bits each; word starts: distinct + 1 of 32 bits; the
//           words' bytes.

namespace accents {

// The index of a dictionary file lies beside it under the same name with this extension
// (diccionario.log: diccionario.idx).
inline constexpr char index_extension[] = ".idx";

// What identifies a dictionary file's contents.
struct DictionaryFingerprint {
  std::uint64_t size = 0;
  std::uint64_t hash_low = 0;
  std::uint64_t hash_high = 0;
  bool operator==(const DictionaryFingerprint&) const = default;
};

// The fingerprint of a file handed over a piece at a time.
class FingerprintMaker {
 public:
  void add(std::span<const unsigned char> bytes);
  DictionaryFingerprint finish() const;

 private:
  xxh3::Stream hash_;
  std::uint64_t size_ = 0;
};

DictionaryFingerprint fingerprint_of(std::span<const unsigned char> file);

// The index of `dictionary`, loaded from the file whose fingerprint is `file`. Its hash key is
// drawn from the fingerprint, so that one dictionary file always gives the same index.
std::vector<unsigned char> make_dictionary_index(AccentDictionary dictionary, const DictionaryFingerprint& file);

// The dictionary the index in `index` holds, used where it lies (`keeper` holds that memory);
// none when the index is not one for the dictionary file with fingerprint `file`, or is
// damaged or inconsistent in any way. `index` must start at an address aligned to 8 bytes (a
// mapped file does); on a big-endian processor no index is used.
std::optional<AccentDictionary> open_dictionary_index(std::span<const unsigned char> index,
                                                      const DictionaryFingerprint& file,
                                                      std::shared_ptr<const void> keeper);

// The same, for an index that is mapped and also read from its file: every byte is checked as it
// is read, a piece at a time in a buffer that stays in the cache, and the mapping itself is
// touched only for its header and later for the pages that lookups need. First reading its
// mapped pages would fault them in one by one, three times as slow.
class IndexCheck {
 public:
  // `index`: the mapped index; its header is read at once.
  explicit IndexCheck(std::span<const unsigned char> index);
  ~IndexCheck();
  IndexCheck(const IndexCheck&) = delete;
  IndexCheck& operator=(const IndexCheck&) = delete;

  // The index file's next bytes, in any size of piece.
  void add(std::span<const unsigned char> piece);
  // The dictionary over the mapped index, when the pieces were the whole file, equal to the
  // mapping in size, and passed every check; otherwise none.
  std::optional<AccentDictionary> open(const DictionaryFingerprint& file, std::shared_ptr<const void> keeper);

 private:
  struct Layout;
  void check_fields(const unsigned char* fields, std::size_t count);

  std::span<const unsigned char> index_;
  std::unique_ptr<Layout> layout_;  // none when the header is not one of this format
  xxh3::Stream hash_;
  std::uint64_t read_ = 0;      // bytes added so far
  unsigned char partial_[4]{};  // a field cut by the end of a piece
  std::size_t partial_size_ = 0;
  std::uint64_t field_ = 0;  // slots and starts checked so far
  std::uint32_t previous_start_ = 0;
  std::uint32_t longest_ = 0;
  bool fault_ = false;
};

// The dictionary file's fingerprint as the index in `index` records it; none when `index` has
// no header of this format.
std::optional<DictionaryFingerprint> recorded_fingerprint(std::span<const unsigned char> index);

}  // namespace accents
