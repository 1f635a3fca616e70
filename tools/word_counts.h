#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// How often each word form occurs in each source of a corpus: a tab-separated UTF-8 table
// with one header line ("word" and the source names) and one line per word form.

namespace tools {

struct WordCounts {
  std::vector<std::string> sources;
  // Word (small letters, code page 1252) -> its count in each source, in the order of `sources`.
  std::unordered_map<std::string, std::vector<std::uint32_t>> counts;
};

// The fields of one line of a tab-separated table.
std::vector<std::string_view> split_tabs(std::string_view line);

// Lines sorted by their bytes, so the same counts always give the same table. Words whose
// total is below `min_total` are left out.
void write_word_counts(std::ostream& out, const WordCounts& table, std::uint64_t min_total);

// None when the table is malformed: a missing header, a row without one count per source, a
// count that is not a number, a word the code page cannot spell or given twice.
std::optional<WordCounts> read_word_counts(std::istream& in);

}  // namespace tools
