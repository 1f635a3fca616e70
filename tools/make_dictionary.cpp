// Writes an accent dictionary file from a UTF-8 word list (one form per line).
//
//   make_dictionary [--counts TABLE] [--ranks RANKED_LIST]... [--margin M] [--plain-margin P]
//                   [--min-count N] [--rank-weight W] [--smoothing S] [--choices FILE]
//                   WORD_LIST OUTPUT
//
// Forms are lower-cased and converted to code page 1252; forms that the code page cannot spell,
// longer than 40 bytes, or holding a byte that ends a word (space, digit, punctuation) are
// skipped, since no word of a text could ever match them. Only the forms that can change a
// result are kept. With word counts of a corpus (tools/word_counts.h) and ranked lists (UTF-8,
// commonest word first), frequencies then choose what a plain word that has accented variants
// is restored to, and the corpus adds the accented forms it attests clearly.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accents/dictionary_file.h"
#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "tools/command_line.h"
#include "tools/dictionary_reduction.h"
#include "tools/utf8_cp1252.h"
#include "tools/word_counts.h"

namespace {

constexpr std::string_view usage_text =
    "usage: make_dictionary [--counts TABLE] [--ranks RANKED_LIST]... [--margin M] [--plain-margin P]\n"
    "                       [--min-count N] [--rank-weight W] [--smoothing S] [--choices FILE]\n"
    "                       WORD_LIST OUTPUT\n";

struct Options {
  std::string words_path, output_path, counts_path, choices_path;
  std::vector<std::string> ranks_paths;
  tools::ChoiceMargins margins;
  double rank_weight = 1.0, smoothing = 0.0;
  std::size_t min_sources = 2;
};

[[noreturn]] void usage(std::string_view why) { tools::exit_with_usage("make_dictionary", why, usage_text); }

[[noreturn]] void fail(const std::string& why) { tools::exit_with_error("make_dictionary", why); }

double number_option(const tools::CommandLine& line, std::string_view name, double fallback, double at_least) {
  return tools::number_option(line, name, fallback, at_least, "make_dictionary", usage_text);
}

Options parse_options(int argc, char** argv) {
  const auto line = tools::parse_command_line(argc, argv,
                                              {"--counts", "--ranks", "--margin", "--plain-margin", "--min-count",
                                               "--rank-weight", "--smoothing", "--choices"});
  if (line.error) usage(*line.error);
  if (line.positional.size() != 2) usage("expected WORD_LIST and OUTPUT");
  Options o;
  o.words_path = line.positional[0];
  o.output_path = line.positional[1];
  o.counts_path = line.value("--counts");
  o.ranks_paths = line.all("--ranks");
  o.choices_path = line.value("--choices");
  o.margins.variant = number_option(line, "--margin", o.margins.variant, 1.0);
  o.margins.plain = number_option(line, "--plain-margin", o.margins.plain, 1.0);
  o.margins.min_count = static_cast<std::uint64_t>(number_option(line, "--min-count", 3, 1));
  o.rank_weight = number_option(line, "--rank-weight", o.rank_weight, 0.0);
  o.smoothing = number_option(line, "--smoothing", o.smoothing, 0.0);
  return o;
}

std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
  if (in.bad()) fail("cannot read " + path);
  return lines;
}

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

struct Skipped {
  std::size_t not_cp1252 = 0, too_long = 0, not_one_word = 0;
};

// The line as a small-letter code page 1252 word, or none (counted in `skipped`).
std::optional<std::string> word_of(std::string_view line, Skipped& skipped) {
  auto word = tools::utf8_to_cp1252(trim(line));
  if (!word) {
    ++skipped.not_cp1252;
    return std::nullopt;
  }
  if (word->size() > accents::max_word_length) {
    ++skipped.too_long;
    return std::nullopt;
  }
  const auto ends_word = [](char c) { return c == '\0' || text::is_separator_byte(static_cast<unsigned char>(c)); };
  if (std::any_of(word->begin(), word->end(), ends_word)) {
    ++skipped.not_one_word;
    return std::nullopt;
  }
  *word = text::to_lower_case(*word);
  return word;
}

// Distinct small-letter forms of the word list, sorted.
std::vector<std::string> read_forms(const std::string& path) {
  const auto lines = read_lines(path);
  Skipped skipped;
  std::vector<std::string> forms;
  for (const auto& line : lines) {
    if (trim(line).empty()) continue;
    if (auto w = word_of(line, skipped)) forms.push_back(std::move(*w));
  }
  std::sort(forms.begin(), forms.end());
  forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
  std::cout << "make_dictionary: " << lines.size() << " lines, " << forms.size() << " distinct forms; skipped "
            << skipped.not_cp1252 << " not in code page 1252, " << skipped.too_long << " longer than 40 bytes, "
            << skipped.not_one_word << " not a single word\n";
  return forms;
}

tools::WordRanks read_ranks(const std::string& path) {
  const auto ranked = read_lines(path);
  tools::WordRanks ranks;
  Skipped ignored;
  for (std::size_t i = 0; i < ranked.size(); ++i)
    if (auto w = word_of(ranked[i], ignored)) ranks.try_emplace(std::move(*w), i + 1);
  if (ranks.empty()) fail("no words in the ranked list " + path);
  std::cout << "make_dictionary: " << ranks.size() << " ranked words in " << path << "\n";
  return ranks;
}

tools::WordCounts read_counts(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot read " + path);
  auto table = tools::read_word_counts(in);
  if (!table) fail(path + " is not a word count table");
  std::cout << "make_dictionary: " << table->counts.size() << " counted word forms from " << table->sources.size()
            << " sources in " << path << "\n";
  return std::move(*table);
}

std::unordered_map<std::string, std::uint64_t> totals(const tools::WordCounts& table) {
  std::unordered_map<std::string, std::uint64_t> total;
  for (const auto& [word, counts] : table.counts)
    total.emplace(word, std::accumulate(counts.begin(), counts.end(), std::uint64_t{0}));
  return total;
}

void add_attested_forms(std::vector<std::string>& forms, const tools::WordCounts& table, const Options& options) {
  const auto added =
      tools::attested_accented_forms(table.counts, forms, options.margins.min_count, options.min_sources);
  forms.insert(forms.end(), added.begin(), added.end());
  std::sort(forms.begin(), forms.end());
  std::cout << "make_dictionary: " << added.size() << " accented forms attested by the corpus added\n";
}

void write_choices(const std::string& path, const tools::FrequencyChoice& choice) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& [plain, given] : choice.choices)
    out << tools::cp1252_to_utf8(plain) << ' ' << tools::cp1252_to_utf8(given) << '\n';
  if (!out) fail("cannot write " + path);
}

// Written beside the target and renamed, so a failed run never leaves half a dictionary.
void write_dictionary(const std::string& path, const std::vector<std::string>& entries) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& e : entries) {
      const auto record = accents::encode_record(e);
      out.write(reinterpret_cast<const char*>(record->data()), static_cast<std::streamsize>(record->size()));
    }
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      fail("cannot write " + temporary);
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) fail("cannot write " + path + ": " + error.message());
  std::cout << "make_dictionary: " << entries.size() << " entries written to " << path << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse_options(argc, argv);
  std::vector<std::string> forms = read_forms(options.words_path);

  std::optional<tools::WordCounts> table;
  if (!options.counts_path.empty()) {
    table = read_counts(options.counts_path);
    add_attested_forms(forms, *table, options);
  }

  std::vector<std::string> entries = tools::keep_correctable_forms(forms);
  std::cout << "make_dictionary: " << entries.size() << " forms can change a result\n";

  if (table || !options.ranks_paths.empty()) {
    std::vector<tools::WordRanks> rank_lists;
    for (const auto& path : options.ranks_paths) rank_lists.push_back(read_ranks(path));
    const tools::WordFrequency frequency(table ? totals(*table) : std::unordered_map<std::string, std::uint64_t>{},
                                         std::move(rank_lists), options.rank_weight, options.smoothing);
    auto choice = tools::choose_by_frequency(entries, frequency, options.margins);
    std::cout << "make_dictionary: " << choice.choices.size() << " plain words decided by frequency (margin "
              << options.margins.variant << "): " << choice.plain_forms_removed << " plain forms and "
              << choice.variants_removed << " variants left out, " << choice.plain_forms_added
              << " plain words added\n";
    if (!options.choices_path.empty()) write_choices(options.choices_path, choice);
    entries = std::move(choice.entries);
  }

  write_dictionary(options.output_path, entries);
  return 0;
}
