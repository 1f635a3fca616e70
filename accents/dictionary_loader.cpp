#include "accents/dictionary_loader.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "accents/dictionary_file.h"
#include "text/code_page_1252.h"

namespace accents {

namespace {

// The record's word with its spaces trimmed, written at `out`; returns its length.
std::size_t trimmed_record_word(const unsigned char* record, char* out) {
  char* end = out + decode_record_into(record, out);
  const char* first = std::find_if(static_cast<const char*>(out), static_cast<const char*>(end), [](char c) { return c != ' '; });
  while (end > first && end[-1] == ' ') --end;
  if (first != out) std::copy(first, static_cast<const char*>(end), out);
  return static_cast<std::size_t>(end - first);
}

}  // namespace

DictionaryLoad load_accent_dictionary(std::span<const unsigned char> file, const std::function<void()>& every_256_records) {
  DictionaryLoad result;
  if (file.size() % record_size != 0) {
    result.format_error = true;
    return result;
  }
  const std::size_t records = file.size() / record_size;

  // All words first, lower-cased afterwards in one pass.
  std::string words;
  words.reserve(records * 12);
  std::vector<std::size_t> ends;
  ends.reserve(records);
  char buffer[max_decoded_length];
  for (std::size_t k = 0; k < records; ++k) {
    words.append(buffer, trimmed_record_word(file.data() + k * record_size, buffer));
    ends.push_back(words.size());
    if ((k + 1) % 256 == 0 && every_256_records) every_256_records();
  }
  for (char& c : words) c = static_cast<char>(text::cp1252::to_lower(static_cast<unsigned char>(c)));

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
