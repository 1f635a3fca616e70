#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "accents/accent_dictionary.h"
#include "accents/dictionary_file.h"

// Turning the bytes of a dictionary file into the accent dictionary. The file side (finding,
// opening and reading the file, telling the user about a bad one) belongs to the program.

namespace accents {

struct DictionaryLoad {
  bool format_error = false;  // the length is not a multiple of the record size; nothing loaded
  AccentDictionary dictionary;
};

// Every record gives one entry: its word with the spaces (0x20 only) at both ends removed, then
// lower-cased (code page 1252). `every_256_records`, when given, runs after each 256th
// record so that a user interface can stay responsive.
DictionaryLoad load_accent_dictionary(std::span<const unsigned char> file,
                                      const std::function<void()>& every_256_records = {});

// The same for a file read piece by piece, so that only a piece of it need be in memory at once:
//
//   accents::DictionaryLoader loader(file_size);
//   while (...) loader.add(piece);   // the file's bytes in order, pieces of any length
//   accents::DictionaryLoad load = std::move(loader).finish();
class DictionaryLoader {
 public:
  // A length that is not a whole number of records is a format error from the start: the
  // pieces are then not even decoded.
  explicit DictionaryLoader(std::uint64_t file_size, std::function<void()> every_256_records = {});

  void add(std::span<const unsigned char> bytes);
  // A format error too when the pieces did not add up to the file size.
  DictionaryLoad finish() &&;

 private:
  void add_record(const unsigned char* record);

  std::uint64_t file_size_;
  std::uint64_t added_ = 0;
  std::function<void()> every_256_records_;
  std::string words_;  // the entries back to back, words_[0, used_)
  std::size_t used_ = 0;
  std::vector<std::uint32_t> ends_;
  unsigned char partial_[record_size];  // a record cut between two pieces
  std::size_t partial_size_ = 0;
};

}  // namespace accents
