#include "accents/dictionary_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The word of a record as the file holds it: fields decoded and joined, nothing trimmed.
std::string decoded(const accents::Record& record) {
  char word[accents::max_decoded_length];
  return std::string(word, accents::decode_record_into(record.data(), word));
}

accents::Record record_of(std::initializer_list<std::int64_t> fields, unsigned char gap_byte = 0) {
  accents::Record r;
  r.fill(gap_byte);
  for (std::size_t j = 0; j < 8; ++j) {
    const auto v = static_cast<std::uint64_t>(j < fields.size() ? fields.begin()[j] : 0);
    for (std::size_t i = 0; i < 8; ++i) r[4 + 12 * j + i] = static_cast<unsigned char>(v >> (8 * i));
  }
  return r;
}

TEST(DictionaryFile, EachFieldIsDecodedInGroupsOfThreeDigits) {
  // clang-format off
  const struct {
    std::int64_t value;
    std::string text;
  } cases[] = {
      {97, "a"},
      {5, "\x05"},
      {110, "n"},
      {99097109105243, "cami\xF3"},
      {999, "\xE7"},                                 // 999 mod 256
      {1000, std::string("\x01\x00", 2)},           // 001 000
      {9223372036854775807, "\x09\xDF\x74\x24\x56\x07\x27"},  // 009 223 372 036 854 775 807, each mod 256
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(decoded(record_of({c.value})), c.text);
  }
}

TEST(DictionaryFile, DecodeRecordSkipsEmptyFieldsAndIgnoresGaps) {
  EXPECT_EQ(decoded(record_of({99097109105243, 110})), "cami\xF3n");
  EXPECT_EQ(decoded(record_of({0, 110, -7, 0, 0, 0, 0, 0}, 0xAB)), "n");
  EXPECT_EQ(decoded(record_of({0, 0, 0, 0, 0, 0, 0, 0}, 0xFF)), "");
  EXPECT_EQ(decoded(record_of({32, 67065077073, 211078032})), " CAMI\xD3N ");
}

TEST(DictionaryFile, EncodeRecordRoundTrips) {
  for (std::string word :
       {std::string("a"), std::string("cami\xF3n"), std::string(40, '\xFA'), std::string("ping\xFCino")}) {
    SCOPED_TRACE(word);
    const auto record = accents::encode_record(word);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(decoded(*record), word);
  }
  EXPECT_FALSE(accents::encode_record("").has_value());
  EXPECT_FALSE(accents::encode_record(std::string(41, 'a')).has_value());
  EXPECT_FALSE(accents::encode_record(std::string("a\0b", 3)).has_value());
}

}  // namespace
