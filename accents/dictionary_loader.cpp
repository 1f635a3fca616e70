#include "accents/dictionary_loader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "accents/dictionary_file.h"
#include "text/ansi.h"

namespace accents {

namespace {

// A 19-digit field gives at most 7 bytes.
constexpr std::size_t max_record_bytes = fields_per_record * 7;

// The digit groups of `value` (> 0) written at `out`; returns the end. Same result as
// decode_digit_groups, but most of the arithmetic is 32-bit: on x86 every 64-bit division is
// a library call, and loading divides a few million times.
char* put_digit_groups(std::uint64_t value, char* out) {
  unsigned char groups[7];
  int n = 0;
  while (value > std::numeric_limits<std::uint32_t>::max()) {
    const std::uint64_t high = value / 1000000000u;
    auto low = static_cast<std::uint32_t>(value - high * 1000000000u);
    for (int i = 0; i < 3; ++i, low /= 1000) groups[n++] = static_cast<unsigned char>(low % 1000 % 256);
    value = high;
  }
  for (auto v = static_cast<std::uint32_t>(value); v > 0; v /= 1000) groups[n++] = static_cast<unsigned char>(v % 1000 % 256);
  while (n > 0) *out++ = static_cast<char>(groups[--n]);
  return out;
}

// The record's word with its spaces trimmed, written at `out`; returns its length.
std::size_t trimmed_record_word(const unsigned char* record, char* out) {
  char* end = out;
  for (std::size_t j = 0; j < fields_per_record; ++j) {
    const std::int64_t value = record_field(record, j);
    if (value > 0) end = put_digit_groups(static_cast<std::uint64_t>(value), end);
  }
  const char* first = std::find_if(static_cast<const char*>(out), static_cast<const char*>(end), [](char c) { return c != ' '; });
  while (end > first && end[-1] == ' ') --end;
  if (first != out) std::copy(first, static_cast<const char*>(end), out);
  return static_cast<std::size_t>(end - first);
}

}  // namespace

std::string record_entry(const unsigned char* record) {
  char buffer[max_record_bytes];
  std::string entry(buffer, trimmed_record_word(record, buffer));
  text::ansi_lower(entry.data(), entry.size());
  return entry;
}

DictionaryLoad load_accent_dictionary(std::span<const unsigned char> file, const std::function<void()>& every_256_records) {
  DictionaryLoad result;
  if (file.size() % record_size != 0) {
    result.format_error = true;
    return result;
  }
  const std::size_t records = file.size() / record_size;

  // All words first, lower-cased afterwards in one conversion call rather than one per word.
  std::string words;
  words.reserve(records * 12);
  std::vector<std::size_t> ends;
  ends.reserve(records);
  char buffer[max_record_bytes];
  for (std::size_t k = 0; k < records; ++k) {
    words.append(buffer, trimmed_record_word(file.data() + k * record_size, buffer));
    ends.push_back(words.size());
    if ((k + 1) % 256 == 0 && every_256_records) every_256_records();
  }
  text::ansi_lower(words.data(), words.size());

  std::vector<std::string_view> entries;
  entries.reserve(records);
  std::size_t start = 0;
  for (const std::size_t end : ends) {
    entries.push_back(std::string_view(words).substr(start, end - start));
    start = end;
  }
  result.dictionary.reserve(records, words.size());
  result.dictionary.add_all(entries);
  return result;
}

}  // namespace accents
