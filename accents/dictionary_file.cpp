#include "accents/dictionary_file.h"

#include <algorithm>
#include <cstring>

namespace accents {

namespace {
constexpr std::size_t field_offset(std::size_t index) { return 4 + 12 * index; }
}  // namespace

std::string decode_digit_groups(std::int64_t value) {
  std::string out;
  for (auto v = static_cast<std::uint64_t>(value); v > 0; v /= 1000)
    out.push_back(static_cast<char>(static_cast<unsigned char>(v % 1000 % 256)));
  std::reverse(out.begin(), out.end());
  return out;
}

std::int64_t record_field(const unsigned char* record, std::size_t index) {
  std::uint64_t v = 0;
  const unsigned char* p = record + field_offset(index);
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return static_cast<std::int64_t>(v);
}

std::string decode_record(const unsigned char* record) {
  std::string word;
  for (std::size_t j = 0; j < fields_per_record; ++j) {
    const std::int64_t value = record_field(record, j);
    if (value > 0) word += decode_digit_groups(value);
  }
  return word;
}

std::optional<Record> encode_record(std::string_view word) {
  if (word.empty() || word.size() > max_word_length || word.find('\0') != std::string_view::npos)
    return std::nullopt;
  Record record{};
  for (std::size_t j = 0; j * chars_per_field < word.size(); ++j) {
    std::uint64_t value = 0;
    for (char c : word.substr(j * chars_per_field, chars_per_field)) value = value * 1000 + static_cast<unsigned char>(c);
    for (int i = 0; i < 8; ++i) record[field_offset(j) + i] = static_cast<unsigned char>(value >> (8 * i));
  }
  return record;
}

}  // namespace accents
