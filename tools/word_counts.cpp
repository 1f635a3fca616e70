#include "tools/word_counts.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <string_view>

#include "tools/utf8_cp1252.h"

namespace tools {

std::vector<std::string_view> split_tabs(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

void write_word_counts(std::ostream& out, const WordCounts& table, std::uint64_t min_total) {
  out << "word";
  for (const auto& s : table.sources) out << '\t' << s;
  out << '\n';
  std::vector<std::string> lines;
  for (const auto& [word, counts] : table.counts) {
    if (std::accumulate(counts.begin(), counts.end(), std::uint64_t{0}) < min_total) continue;
    std::string line = cp1252_to_utf8(word);
    for (const auto c : counts) line += '\t' + std::to_string(c);
    lines.push_back(std::move(line));
  }
  std::sort(lines.begin(), lines.end());
  for (const auto& l : lines) out << l << '\n';
}

std::optional<WordCounts> read_word_counts(std::istream& in) {
  WordCounts table;
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  const auto header = split_tabs(line);
  if (header.size() < 2 || header[0] != "word") return std::nullopt;
  table.sources.assign(header.begin() + 1, header.end());
  while (std::getline(in, line)) {
    const auto fields = split_tabs(line);
    if (fields.size() != header.size()) return std::nullopt;
    auto word = utf8_to_cp1252(fields[0]);
    if (!word || word->empty()) return std::nullopt;
    std::vector<std::uint32_t> counts(table.sources.size());
    for (std::size_t i = 0; i < counts.size(); ++i) {
      const auto f = fields[i + 1];
      const auto [end, error] = std::from_chars(f.data(), f.data() + f.size(), counts[i]);
      if (error != std::errc{} || end != f.data() + f.size() || f.empty()) return std::nullopt;
    }
    if (!table.counts.emplace(std::move(*word), std::move(counts)).second) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return table;
}

}  // namespace tools
