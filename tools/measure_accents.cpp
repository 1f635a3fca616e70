// How well "Poner tilde" restores the acute accents of real text with a given dictionary.
//
//   measure_accents [--errors N] --text FILE [--text FILE ...] DICTIONARY...
//   measure_accents --restore TEXT DICTIONARY
//
// The texts (UTF-8) lose their acute accents (á é í ó ú and capitals; ñ and ü stay), are
// restored with each dictionary, and every word is compared with the original. Lines the code
// page cannot spell are left out. --restore prints one text restored, in UTF-8.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_loader.h"
#include "text/char_classes.h"
#include "text/code_page_text.h"
#include "text/tokens.h"
#include "tools/utf8_cp1252.h"

namespace {

[[noreturn]] void usage(const char* why) {
  std::cerr << "measure_accents: " << why << "\n"
            << "usage: measure_accents [--errors N] --text FILE [--text FILE ...] DICTIONARY...\n"
            << "       measure_accents --restore TEXT DICTIONARY\n";
  std::exit(2);
}

std::optional<std::string> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

accents::AccentDictionary load_dictionary(const std::string& path) {
  const auto bytes = read_file(path);
  if (!bytes) {
    std::cerr << "measure_accents: cannot read " << path << "\n";
    std::exit(1);
  }
  auto load = accents::load_accent_dictionary(
      std::span(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size()));
  if (load.format_error) {
    std::cerr << "measure_accents: " << path << " is not a dictionary file (length not a multiple of 100)\n";
    std::exit(1);
  }
  return std::move(load.dictionary);
}

bool is_acute(unsigned char b) {
  switch (b) {
    case 0xE1: case 0xE9: case 0xED: case 0xF3: case 0xFA:  // á é í ó ú
    case 0xC1: case 0xC9: case 0xCD: case 0xD3: case 0xDA:  // Á É Í Ó Ú
      return true;
    default:
      return false;
  }
}

std::string strip_acute_accents(std::string s) {
  for (char& c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (!is_acute(b)) continue;
    switch (b | 0x20) {
      case 0xE1: c = 'a'; break;
      case 0xE9: c = 'e'; break;
      case 0xED: c = 'i'; break;
      case 0xF3: c = 'o'; break;
      default: c = 'u'; break;
    }
    if (!(b & 0x20)) c = static_cast<char>(c - 0x20);
  }
  return s;
}

std::string restore(const std::string& text, const accents::AccentDictionary& dictionary) {
  text::CodePageText restored{text, {}, {}};
  accents::AccentCorrections corrections;
  accents::restore_accents(restored, dictionary, corrections);
  return std::move(restored.text);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> text_paths, dictionary_paths;
  std::optional<std::string> restore_text;
  std::size_t show_errors = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage("missing value");
      return argv[++i];
    };
    if (a == "--text") {
      text_paths.push_back(value());
    } else if (a == "--restore") {
      restore_text = value();
    } else if (a == "--errors") {
      show_errors = std::strtoul(value().c_str(), nullptr, 10);
    } else if (a.starts_with("--")) {
      usage("unknown option");
    } else {
      dictionary_paths.emplace_back(a);
    }
  }

  if (restore_text) {
    if (dictionary_paths.size() != 1 || !text_paths.empty()) usage("--restore takes one text and one dictionary");
    const auto text = tools::utf8_to_cp1252(*restore_text);
    if (!text) usage("the text is not UTF-8 that code page 1252 can spell");
    std::cout << tools::cp1252_to_utf8(restore(*text, load_dictionary(dictionary_paths[0]))) << "\n";
    return 0;
  }
  if (text_paths.empty() || dictionary_paths.empty()) usage("expected --text FILE and at least one DICTIONARY");

  std::string original;
  std::size_t lines_left_out = 0;
  for (const auto& path : text_paths) {
    const auto bytes = read_file(path);
    if (!bytes) {
      std::cerr << "measure_accents: cannot read " << path << "\n";
      return 1;
    }
    std::string_view rest = *bytes;
    while (!rest.empty()) {
      const std::size_t end = std::min(rest.find('\n'), rest.size());
      if (const auto line = tools::utf8_to_cp1252(rest.substr(0, end))) {
        original += *line;
        original += "\r\n";
      } else {
        ++lines_left_out;
      }
      rest.remove_prefix(std::min(end + 1, rest.size()));
    }
  }
  const std::string stripped = strip_acute_accents(original);

  // Restoration only ever swaps a vowel byte for its accented form, so the word at each offset
  // of the original is compared with the bytes at the same offset of the result.
  struct Word {
    std::size_t offset, length;
    bool accented;
  };
  std::vector<Word> words;
  std::size_t offset = 0;
  for (std::string_view token : text::split_text(original)) {
    if (!text::is_separator(token)) {
      const bool accented = std::any_of(token.begin(), token.end(), [](char c) { return is_acute(static_cast<unsigned char>(c)); });
      words.push_back({offset, token.size(), accented});
    }
    offset += token.size();
  }
  const auto accented_total = static_cast<std::size_t>(std::count_if(words.begin(), words.end(), [](const Word& w) { return w.accented; }));

  std::cout << "text: " << original.size() << " bytes, " << words.size() << " words, " << accented_total
            << " with an acute accent";
  if (lines_left_out) std::cout << " (" << lines_left_out << " lines outside code page 1252 left out)";
  std::cout << "\n";

  for (const auto& path : dictionary_paths) {
    const auto dictionary = load_dictionary(path);
    const std::string restored = restore(stripped, dictionary);
    if (restored.size() != original.size()) {
      std::cerr << "measure_accents: the restored text changed length\n";
      return 1;
    }
    std::size_t equal = 0, accented_equal = 0, wrongly_accented = 0;
    std::map<std::string, std::size_t> errors;
    for (const Word& w : words) {
      const std::string_view was = std::string_view(original).substr(w.offset, w.length);
      const std::string_view now = std::string_view(restored).substr(w.offset, w.length);
      if (was == now) {
        ++equal;
        accented_equal += w.accented;
        continue;
      }
      if (now != std::string_view(stripped).substr(w.offset, w.length)) ++wrongly_accented;
      if (show_errors) ++errors[tools::cp1252_to_utf8(was) + " -> " + tools::cp1252_to_utf8(now)];
    }
    const auto percent = [](std::size_t part, std::size_t whole) { return whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0; };
    std::printf("%s: %zu entries; word accuracy %.2f%% (%zu wrong), accent recall %.2f%%, %zu words given a wrong accent\n",
                path.c_str(), dictionary.entry_count(), percent(equal, words.size()), words.size() - equal,
                percent(accented_equal, accented_total), wrongly_accented);
    if (show_errors) {
      std::vector<std::pair<std::size_t, std::string>> common;
      for (const auto& [pair, n] : errors) common.emplace_back(n, pair);
      std::sort(common.begin(), common.end(), [](const auto& a, const auto& b) { return a.first > b.first || (a.first == b.first && a.second < b.second); });
      for (std::size_t i = 0; i < std::min(show_errors, common.size()); ++i)
        std::printf("  %6zu  %s\n", common[i].first, common[i].second.c_str());
    }
  }
  return 0;
}
