#include "accents/dictionary_file.h"

#include <bit>
#include <cstring>
#include <limits>

namespace accents {

namespace {
constexpr std::size_t field_offset(std::size_t index) { return 4 + 12 * index; }
}  // namespace

// Most of the arithmetic is 32-bit: on x86 every 64-bit division is a library call, and loading
// a dictionary divides a few million times.
char* decode_digit_groups(std::int64_t field, char* out) {
  auto value = static_cast<std::uint64_t>(field);
  // Five groups or fewer (a field's usual five characters): one division splits the value into
  // two 32-bit halves, and a comparison chain finds the first group.
  if (value < 1'000'000'000'000'000u) {
    const auto high = static_cast<std::uint32_t>(value / 1'000'000'000u);
    const auto low = static_cast<std::uint32_t>(value - std::uint64_t{high} * 1'000'000'000u);
    const std::uint32_t groups[5] = {high / 1000, high % 1000, low / 1'000'000, low / 1000 % 1000, low % 1000};
    const int first = value >= 1'000'000'000'000u ? 0
                      : value >= 1'000'000'000u   ? 1
                      : value >= 1'000'000u       ? 2
                      : value >= 1000u            ? 3
                                                  : 4;
    for (int g = first; g < 5; ++g) *out++ = static_cast<char>(groups[g] % 256);
    return out;
  }
  unsigned char groups[7];
  int n = 0;
  while (value > std::numeric_limits<std::uint32_t>::max()) {
    const std::uint64_t high = value / 1000000000u;
    auto low = static_cast<std::uint32_t>(value - high * 1000000000u);
    for (int i = 0; i < 3; ++i, low /= 1000) groups[n++] = static_cast<unsigned char>(low % 1000 % 256);
    value = high;
  }
  for (auto v = static_cast<std::uint32_t>(value); v > 0; v /= 1000)
    groups[n++] = static_cast<unsigned char>(v % 1000 % 256);
  while (n > 0) *out++ = static_cast<char>(groups[--n]);
  return out;
}

std::int64_t record_field(const unsigned char* record, std::size_t index) {
  std::uint64_t v = 0;
  const unsigned char* p = record + field_offset(index);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&v, p, 8);
  } else {
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  }
  return static_cast<std::int64_t>(v);
}

std::size_t decode_record_into(const unsigned char* record, char* out) {
  char* end = out;
  for (std::size_t j = 0; j < fields_per_record; ++j) {
    const std::int64_t value = record_field(record, j);
    if (value > 0) end = decode_digit_groups(value, end);
  }
  return static_cast<std::size_t>(end - out);
}

std::optional<Record> encode_record(std::string_view word) {
  if (word.empty() || word.size() > max_word_length || word.find('\0') != std::string_view::npos) return std::nullopt;
  Record record{};
  for (std::size_t j = 0; j * chars_per_field < word.size(); ++j) {
    std::uint64_t value = 0;
    for (char c : word.substr(j * chars_per_field, chars_per_field))
      value = value * 1000 + static_cast<unsigned char>(c);
    for (int i = 0; i < 8; ++i) record[field_offset(j) + i] = static_cast<unsigned char>(value >> (8 * i));
  }
  return record;
}

}  // namespace accents
