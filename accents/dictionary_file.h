#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The accent dictionary file: headerless 100-byte records. Each record holds eight signed
// 64-bit little-endian fields at offsets 4, 16, 28, ... 88 (the 4-byte gaps around them are
// free). A positive field carries one to five code page 1252 characters: the decimal digits of
// the value, read in groups of three from the left after padding with zeros, are the character
// codes. The word of a record is its positive fields' texts in order; other fields are empty.

namespace accents {

inline constexpr std::size_t record_size = 100;
inline constexpr std::size_t fields_per_record = 8;
inline constexpr std::size_t chars_per_field = 5;
inline constexpr std::size_t max_word_length = fields_per_record * chars_per_field;

using Record = std::array<unsigned char, record_size>;

// The text of one field value (value > 0), written at `out` (room for 7 bytes); returns its end.
// The three-digit groups are the value's base-1000 digits; a group above 255 stands for its value
// mod 256.
char* decode_digit_groups(std::int64_t value, char* out);

std::int64_t record_field(const unsigned char* record, std::size_t index);

// The most bytes a record can decode to: eight fields of up to 19 digits, 7 groups each.
inline constexpr std::size_t max_decoded_length = fields_per_record * 7;

// The word of a record exactly as stored (no spaces trimmed, no case changed), written at `out`
// (room for max_decoded_length bytes); returns its length.
std::size_t decode_record_into(const unsigned char* record, char* out);

// A record holding `word`; none when the word is empty, longer than 40 bytes, or holds a zero
// byte (a field cannot start with one, and the words never need it).
std::optional<Record> encode_record(std::string_view word);

}  // namespace accents
