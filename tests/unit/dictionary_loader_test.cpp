#include "accents/dictionary_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "accents/dictionary_file.h"
#include "text/case_conversion.h"

namespace {

accents::Record record_of(const std::vector<std::int64_t>& fields, unsigned char gap_byte = 0) {
  accents::Record r;
  r.fill(gap_byte);
  for (std::size_t j = 0; j < 8; ++j) {
    const auto v = static_cast<std::uint64_t>(j < fields.size() ? fields[j] : 0);
    for (std::size_t i = 0; i < 8; ++i) r[4 + 12 * j + i] = static_cast<unsigned char>(v >> (8 * i));
  }
  return r;
}

std::vector<unsigned char> file_of(const std::vector<accents::Record>& records) {
  std::vector<unsigned char> bytes;
  for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  return bytes;
}

TEST(DictionaryLoader, RecordEntries) {
  // clang-format off
  const struct {
    std::vector<std::int64_t> fields;
    unsigned char gap;
    std::string entry;
  } cases[] = {
      {{99097109105243, 110}, 0, "cami\xF3n"},
      {{99, 0, 97109105243110}, 0, "cami\xF3n"},             // another split, an empty field between
      {{99097109105243, 110}, 0xFF, "cami\xF3n"},            // garbage in the gaps
      {{0, 110, -7, 0, 0, 0, 0, 0}, 0x5A, "n"},              // zero and negative fields skipped
      {{0, 0, 0, 0, 0, 0, 0, 0}, 0x20, ""},
      {{-1, -99097109105243, 0, 0, 0, 0, 0, -1}, 0, ""},
      {{32, 67065077073, 211078032}, 0, "cami\xF3n"},        // " CAMI" "Ó" "N " trimmed, then lowered
      {{32032, 32}, 0, ""},                                  // spaces only
      {{9097, 32098009}, 0, "\ta b\t"},                   // tabs and inner spaces stay
      {{193082069065}, 0, "\xE1rea"},                        // ÁREA: accented capitals lowered too
      {{999}, 0, "\xE7"},                                    // 999 mod 256
      {{9223372036854775807}, 0, "\x09\xDF\x74\x24\x76\x07\x27"},  // 19 digits: 009 223 372 036 854 775 807
      {{1000000000000000000}, 0, std::string("\x01\0\0\0\0\0\0", 7)},
      {{4294967296, 4294967295}, 0, "\x04\x26\xE7\x28\x04\x26\xE7\x27"},  // Ç lowered
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.fields));
    const auto r = record_of(c.fields, c.gap);
    const auto file = file_of({r});
    const auto load = accents::load_accent_dictionary(file);
    EXPECT_FALSE(load.format_error);
    EXPECT_EQ(load.dictionary.entry_count(), 1u);
    EXPECT_TRUE(load.dictionary.contains(c.entry));
  }
}

// The loader's own arithmetic against digit groups read off the decimal digits, on values of
// every size.
TEST(DictionaryLoader, AgreesWithDigitGroupDecoding) {
  std::mt19937_64 random(12345);
  for (int i = 0; i < 20000; ++i) {
    // Values of 1 to 19 digits, some fields zero or negative.
    std::uint64_t limit = 1;
    for (int d = 0; d < 1 + i % 19; ++d) limit *= 10;
    std::int64_t fields[8];
    for (auto& f : fields) {
      f = static_cast<std::int64_t>((random() >> 1) % limit);
      if (random() % 4 == 0) f = -f;
    }
    const auto r = record_of(std::vector<std::int64_t>(fields, fields + 8), 0x33);
    std::string expected;
    for (const std::int64_t f : fields) {
      if (f <= 0) continue;
      std::string digits = std::to_string(f);
      digits.insert(0, (3 - digits.size() % 3) % 3, '0');
      for (std::size_t g = 0; g < digits.size(); g += 3)
        expected += static_cast<char>(std::stoi(digits.substr(g, 3)) % 256);
    }
    const std::size_t first = expected.find_first_not_of(' ');
    expected = first == std::string::npos ? "" : expected.substr(first, expected.find_last_not_of(' ') + 1 - first);
    const auto load = accents::load_accent_dictionary(file_of({r}));
    ASSERT_TRUE(load.dictionary.contains(text::to_lower_case(expected))) << testing::PrintToString(fields);
  }
}

TEST(DictionaryLoader, FileLengths) {
  const auto camion = record_of({99097109105243, 110});
  const auto casa = record_of({99097115097});
  const auto blank = record_of({});
  std::vector<unsigned char> three = file_of({camion, casa, blank});

  const struct {
    std::size_t length;
    bool format_error;
    std::size_t entries;
  } cases[] = {{0, false, 0}, {250, true, 0}, {300, false, 3}, {299, true, 0}, {100, false, 1}, {1, true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const auto load = accents::load_accent_dictionary(std::span(three).first(c.length));
    EXPECT_EQ(load.format_error, c.format_error);
    EXPECT_EQ(load.dictionary.entry_count(), c.entries);
    EXPECT_EQ(load.dictionary.contains("cami\xF3n"), c.entries >= 1);
    EXPECT_EQ(load.dictionary.contains("casa"), c.entries >= 2);
    EXPECT_EQ(load.dictionary.contains(""), c.entries >= 3);
  }
}

TEST(DictionaryLoader, PiecesOfAnyLengthGiveTheWholeFilesEntries) {
  // "camión" and 599 kin, the third letter changed: "ca" + byte (109 + i) mod 256 + "ión".
  std::vector<accents::Record> records;
  std::vector<std::string> words;
  for (int i = 0; i < 600; ++i) {
    records.push_back(record_of({99097109105 + 1000 * i, 243110}));
    words.push_back(text::to_lower_case(std::string("ca") + static_cast<char>((109 + i) % 256) + "i\xF3n"));
  }
  const std::vector<unsigned char> file = file_of(records);
  const auto whole = accents::load_accent_dictionary(file);
  EXPECT_TRUE(whole.dictionary.contains("cami\xF3n"));
  for (const std::size_t piece : {1u, 7u, 99u, 100u, 101u, 4096u}) {
    SCOPED_TRACE(piece);
    accents::DictionaryLoader loader(file.size());
    for (std::size_t at = 0; at < file.size(); at += piece)
      loader.add(std::span(file).subspan(at, std::min(piece, file.size() - at)));
    const accents::DictionaryLoad load = std::move(loader).finish();
    EXPECT_FALSE(load.format_error);
    EXPECT_EQ(load.dictionary.entry_count(), 600u);
    EXPECT_EQ(load.dictionary.distinct_count(), whole.dictionary.distinct_count());
    for (const std::string& w : words) ASSERT_TRUE(load.dictionary.contains(w)) << w;
  }
  // Fewer or more bytes than the file size announced: a format error, nothing loaded.
  for (const std::size_t given : {file.size() - 100, file.size() - 1}) {
    SCOPED_TRACE(given);
    accents::DictionaryLoader loader(file.size());
    loader.add(std::span(file).first(given));
    const accents::DictionaryLoad load = std::move(loader).finish();
    EXPECT_TRUE(load.format_error);
    EXPECT_TRUE(load.dictionary.empty());
  }
  accents::DictionaryLoader longer(file.size() - 100);
  longer.add(file);
  EXPECT_TRUE(std::move(longer).finish().format_error);
}

TEST(DictionaryLoader, YieldsEvery256Records) {
  for (const std::size_t records : {0u, 255u, 256u, 1000u}) {
    SCOPED_TRACE(records);
    const std::vector<unsigned char> file(records * accents::record_size, 0);
    std::size_t calls = 0;
    const auto load = accents::load_accent_dictionary(file, [&] { ++calls; });
    EXPECT_EQ(calls, records / 256);
    EXPECT_EQ(load.dictionary.entry_count(), records);
  }
}

}  // namespace
