// Writes an accent dictionary file from a UTF-8 word list (one form per line).
//
//   make_dictionary [--ranks RANKED_LIST] [--margin M] [--choices FILE] WORD_LIST OUTPUT
//
// Forms are lower-cased and converted to code page 1252; forms that the code page cannot spell,
// longer than 40 bytes, or holding a byte that ends a word (space, digit, punctuation) are
// skipped, since no word of a text could ever match them. Only the forms that can change a
// result are kept; with a ranked list (UTF-8, commonest word first), frequencies then choose
// what a plain word that has accented variants is restored to.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accents/dictionary_file.h"
#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "tools/dictionary_reduction.h"
#include "tools/utf8_cp1252.h"

namespace {

struct Options {
  std::string words_path, output_path, ranks_path, choices_path;
  double margin = 5.0;
};

[[noreturn]] void usage(const char* why) {
  std::cerr << "make_dictionary: " << why << "\n"
            << "usage: make_dictionary [--ranks RANKED_LIST] [--margin M] [--choices FILE] WORD_LIST OUTPUT\n";
  std::exit(2);
}

Options parse_options(int argc, char** argv) {
  Options o;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage("missing value");
      return argv[++i];
    };
    if (a == "--ranks") {
      o.ranks_path = value();
    } else if (a == "--choices") {
      o.choices_path = value();
    } else if (a == "--margin") {
      const std::string m = value();
      char* end = nullptr;
      o.margin = std::strtod(m.c_str(), &end);
      if (end == m.c_str() || *end != '\0' || !(o.margin >= 1.0)) usage("--margin takes a number of at least 1");
    } else if (a.starts_with("--")) {
      usage("unknown option");
    } else {
      positional.emplace_back(a);
    }
  }
  if (positional.size() != 2) usage("expected WORD_LIST and OUTPUT");
  o.words_path = positional[0];
  o.output_path = positional[1];
  return o;
}

std::optional<std::vector<std::string>> read_lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
  if (in.bad()) return std::nullopt;
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

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse_options(argc, argv);

  const auto lines = read_lines(options.words_path);
  if (!lines) {
    std::cerr << "make_dictionary: cannot read " << options.words_path << "\n";
    return 1;
  }
  Skipped skipped;
  std::vector<std::string> forms;
  for (const auto& line : *lines) {
    if (trim(line).empty()) continue;
    if (auto w = word_of(line, skipped)) forms.push_back(std::move(*w));
  }
  std::sort(forms.begin(), forms.end());
  forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
  std::cout << "make_dictionary: " << lines->size() << " lines, " << forms.size() << " distinct forms; skipped "
            << skipped.not_cp1252 << " not in code page 1252, " << skipped.too_long << " longer than 40 bytes, "
            << skipped.not_one_word << " not a single word\n";

  std::vector<std::string> entries = tools::keep_correctable_forms(forms);
  std::cout << "make_dictionary: " << entries.size() << " forms can change a result\n";

  if (!options.ranks_path.empty()) {
    const auto ranked = read_lines(options.ranks_path);
    if (!ranked || ranked->empty()) {
      std::cerr << "make_dictionary: cannot read the ranked list " << options.ranks_path << "\n";
      return 1;
    }
    tools::WordRanks ranks;
    Skipped ignored;
    for (std::size_t i = 0; i < ranked->size(); ++i)
      if (auto w = word_of((*ranked)[i], ignored)) ranks.try_emplace(std::move(*w), i + 1);

    auto choice = tools::choose_by_frequency(entries, ranks, options.margin);
    std::cout << "make_dictionary: " << ranks.size() << " ranked words; " << choice.choices.size()
              << " plain words now get a commoner accented form (margin " << options.margin << "): "
              << choice.plain_forms_removed << " plain forms and " << choice.variants_removed << " variants left out\n";
    if (!options.choices_path.empty()) {
      std::ofstream out(options.choices_path, std::ios::binary);
      for (const auto& [plain, variant] : choice.choices)
        out << tools::cp1252_to_utf8(plain) << ' ' << tools::cp1252_to_utf8(variant) << '\n';
      if (!out) {
        std::cerr << "make_dictionary: cannot write " << options.choices_path << "\n";
        return 1;
      }
    }
    entries = std::move(choice.entries);
  }

  // Written beside the target and renamed, so a failed run never leaves half a dictionary.
  const std::string temporary = options.output_path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& e : entries) {
      const auto record = accents::encode_record(e);
      out.write(reinterpret_cast<const char*>(record->data()), static_cast<std::streamsize>(record->size()));
    }
    out.close();
    if (!out) {
      std::cerr << "make_dictionary: cannot write " << temporary << "\n";
      std::remove(temporary.c_str());
      return 1;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, options.output_path, error);
  if (error) {
    std::cerr << "make_dictionary: cannot write " << options.output_path << ": " << error.message() << "\n";
    return 1;
  }
  std::cout << "make_dictionary: " << entries.size() << " entries written to " << options.output_path << "\n";
  return 0;
}
