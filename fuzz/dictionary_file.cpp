// Arbitrary bytes as an accent dictionary file: the loader, the records, the dictionary it gives,
// and restoration with that dictionary. Bytes past the last whole record are text to restore.

#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_file.h"
#include "accents/dictionary_loader.h"
#include "fuzz/check.h"
#include "fuzz/restoration_check.h"
#include "text/code_page_1252.h"
#include "text/code_page_text.h"

namespace {

// A record's word read off the decimal digits of its fields: eight little-endian 64-bit fields
// at offsets 4, 16, ... 88; each positive one gives its digits in groups of three, padded with
// zeros on the left, each group a byte (mod 256).
std::string record_word(const std::uint8_t* record) {
  std::string word;
  for (std::size_t j = 0; j < 8; ++j) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < 8; ++i) v |= std::uint64_t{record[4 + 12 * j + i]} << (8 * i);
    const auto value = static_cast<std::int64_t>(v);
    if (value <= 0) continue;
    std::string digits = std::to_string(value);
    digits.insert(0, (3 - digits.size() % 3) % 3, '0');
    for (std::size_t g = 0; g < digits.size(); g += 3) word += static_cast<char>(std::stoi(digits.substr(g, 3)) % 256);
  }
  return word;
}

// The entry a record gives: its word without spaces at either end, in small letters.
std::string entry_of(const std::string& word) {
  const std::size_t first = word.find_first_not_of(' ');
  std::string entry = first == std::string::npos ? "" : word.substr(first, word.find_last_not_of(' ') + 1 - first);
  for (char& c : entry) c = static_cast<char>(text::cp1252::to_lower(static_cast<unsigned char>(c)));
  return entry;
}

void check_record(const std::uint8_t* record, const std::string& word) {
  char decoded[accents::max_decoded_length];
  FUZZ_CHECK(std::string_view(decoded, accents::decode_record_into(record, decoded)) == word);
  // A word that a record can hold comes back from the record written for it.
  const auto encoded = accents::encode_record(word);
  const bool encodable =
      !word.empty() && word.size() <= accents::max_word_length && word.find('\0') == std::string::npos;
  FUZZ_CHECK(encoded.has_value() == encodable);
  if (encoded) FUZZ_CHECK(record_word(encoded->data()) == word);
}

// The words a text in the dictionary's words would hold with its accents left out, written in
// small letters, capitalised and in capitals.
std::string unaccented_text(const std::set<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) {
    std::string plain = entry;
    for (char& c : plain) {
      const std::size_t k = std::string_view("\xE1\xE9\xED\xF3\xFA").find(c);
      if (k != std::string_view::npos) c = "aeiou"[k];
    }
    std::string capitals = plain;
    for (char& c : capitals) c = static_cast<char>(text::cp1252::to_upper(static_cast<unsigned char>(c)));
    std::string capitalised = plain;
    if (!capitalised.empty()) capitalised[0] = capitals[0];
    text += plain + " " + capitalised + "\r\n" + capitals + ", ";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  std::size_t calls = 0;
  const accents::DictionaryLoad whole = accents::load_accent_dictionary(file, [&] { ++calls; });
  const std::size_t records = size / accents::record_size;
  const std::size_t tail = size % accents::record_size;
  FUZZ_CHECK(whole.format_error == (tail != 0));
  if (tail != 0) {
    FUZZ_CHECK(whole.dictionary.empty());
    FUZZ_CHECK(whole.dictionary.entry_count() == 0);
    FUZZ_CHECK(calls == 0);
  } else {
    FUZZ_CHECK(calls == records / 256);
  }

  const accents::DictionaryLoad load = accents::load_accent_dictionary(file.first(records * accents::record_size));
  FUZZ_CHECK(!load.format_error);
  FUZZ_CHECK(load.dictionary.entry_count() == records);
  std::set<std::string> entries;
  for (std::size_t k = 0; k < records; ++k) {
    const std::uint8_t* record = data + k * accents::record_size;
    const std::string word = record_word(record);
    check_record(record, word);
    entries.insert(entry_of(word));
  }
  // The empty entry is remembered apart from the words.
  FUZZ_CHECK(load.dictionary.distinct_count() == entries.size() - entries.count(""));
  // Membership exactly as the set of entries, for the entries and for words one byte off them.
  for (const std::string& entry : entries) {
    FUZZ_CHECK(load.dictionary.contains(entry));
    FUZZ_CHECK(entry.size() <= load.dictionary.longest());
    for (const std::string& near : {entry + 'a', entry.substr(0, entry.size() - (entry.empty() ? 0 : 1)),
                                    '\xE1' + entry.substr(entry.empty() ? 0 : 1)})
      FUZZ_CHECK(load.dictionary.contains(near) == (entries.count(near) > 0));
  }

  std::string text = unaccented_text(entries);
  text.append(reinterpret_cast<const char*>(data) + size - tail, tail);
  const text::CodePageText before{text, {}, {}};
  text::CodePageText after = before;
  accents::AccentCorrections corrections;
  accents::restore_accents(after, load.dictionary, corrections);
  fuzz::check_restoration(before, after, load.dictionary, corrections);
  return 0;
}
