// How well "Poner tilde" restores the acute accents of real text with a given dictionary.
//
//   measure_accents [--errors N] [--all-marks] [--context MODEL [--changes N]] --text FILE [--text FILE ...]
//                   DICTIONARY...
//   measure_accents [--context MODEL] --restore TEXT DICTIONARY
//
// The texts (UTF-8) lose their acute accents (á é í ó ú and capitals; ñ and ü stay, unless
// --all-marks: then they lose those too), are restored with each dictionary, and every word is
// compared with the original. Lines the code
// page cannot spell are left out. With a context model each dictionary is measured once alone
// and once with the model, and --changes lists the N commonest words the model changed.
// --restore prints one text restored, in UTF-8.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_loader.h"
#include "text/char_classes.h"
#include "text/code_page_text.h"
#include "text/marked_letters.h"
#include "text/tokens.h"
#include "tools/command_line.h"
#include "tools/corpus_words.h"
#include "tools/files.h"
#include "tools/utf8_cp1252.h"

namespace {

constexpr std::string_view usage_text =
    "usage: measure_accents [--errors N] [--all-marks] [--context MODEL [--changes N]] --text FILE [--text FILE ...]\n"
    "                       DICTIONARY...\n"
    "       measure_accents [--context MODEL] --restore TEXT DICTIONARY\n";

[[noreturn]] void usage(std::string_view why) { tools::exit_with_usage("measure_accents", why, usage_text); }

[[noreturn]] void fail(const std::string& why) { tools::exit_with_error("measure_accents", why); }

accents::AccentDictionary load_dictionary(const std::string& path) {
  const auto bytes = tools::read_file(path);
  if (!bytes) fail("cannot read " + path);
  auto load =
      accents::load_accent_dictionary(std::span(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size()));
  if (load.format_error) fail(path + " is not a dictionary file (length not a multiple of 100)");
  return std::move(load.dictionary);
}

// Which marks the measured text loses: the acute accents, or every mark (ñ and ü too).
bool all_marks = false;

bool is_marked(unsigned char c) { return all_marks ? text::without_mark(c) != c : text::is_acute_vowel(c); }

std::string strip_marks(std::string s) {
  for (char& c : s) {
    const auto b = static_cast<unsigned char>(c);
    c = static_cast<char>(all_marks ? text::without_mark(b) : text::without_acute(b));
  }
  return s;
}

accents::ContextModel load_context_model(const std::string& path) {
  const auto bytes = tools::read_file(path);
  if (!bytes) fail("cannot read " + path);
  auto model =
      accents::ContextModel::load(std::span(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size()));
  if (!model) fail(path + " is not a context model file");
  return std::move(*model);
}

std::string restore(const std::string& text, const accents::AccentDictionary& dictionary,
                    const accents::ContextModel* context = nullptr) {
  text::CodePageText restored{text, {}, {}};
  accents::AccentCorrections corrections;
  accents::AccentRestorer(dictionary, context).restore(restored, corrections);
  return std::move(restored.text);
}

struct Texts {
  std::string original;  // code page 1252, lines ended by CR LF
  std::size_t lines_left_out = 0;
};

Texts read_texts(const std::vector<std::string>& paths) {
  Texts texts;
  for (const auto& path : paths) {
    const auto bytes = tools::read_file(path);
    if (!bytes) fail("cannot read " + path);
    std::string_view rest = *bytes;
    while (!rest.empty()) {
      const std::size_t end = std::min(rest.find('\n'), rest.size());
      if (const auto line = tools::utf8_to_cp1252(rest.substr(0, end))) {
        texts.original += *line;
        texts.original += "\r\n";
      } else {
        ++texts.lines_left_out;
      }
      rest.remove_prefix(std::min(end + 1, rest.size()));
    }
  }
  return texts;
}

struct Word {
  std::size_t offset, length;
  bool accented;
};

std::vector<Word> words_of(const std::string& text) {
  std::vector<Word> words;
  std::size_t offset = 0;
  for (std::string_view token : text::split_text(text)) {
    if (!text::is_separator(token)) {
      const bool accented =
          std::any_of(token.begin(), token.end(), [](char c) { return is_marked(static_cast<unsigned char>(c)); });
      words.push_back({offset, token.size(), accented});
    }
    offset += token.size();
  }
  return words;
}

struct Result {
  std::size_t equal = 0, accented_equal = 0, wrongly_accented = 0;
  // "original -> restored" -> how often, for the words restored without their accent and for
  // the words given an accent they should not have.
  std::map<std::string, std::size_t> missed, wrong;
};

// Restoration only ever swaps a vowel byte for its accented form, so the word at each offset
// of the original is compared with the bytes at the same offset of the result.
Result compare(const std::string& original, const std::string& stripped, const std::string& restored,
               const std::vector<Word>& words) {
  if (restored.size() != original.size()) fail("the restored text changed length");
  Result r;
  for (const Word& w : words) {
    const std::string_view was = std::string_view(original).substr(w.offset, w.length);
    const std::string_view now = std::string_view(restored).substr(w.offset, w.length);
    if (was == now) {
      ++r.equal;
      r.accented_equal += w.accented;
      continue;
    }
    // A wrong mark is one put on a letter that has no such mark in the original; a word that
    // took some of its marks and lacks others only misses those.
    const std::string_view plain = std::string_view(stripped).substr(w.offset, w.length);
    bool accent_added = false;
    for (std::size_t i = 0; i < now.size(); ++i) accent_added |= now[i] != plain[i] && now[i] != was[i];
    r.wrongly_accented += accent_added;
    ++(accent_added ? r.wrong : r.missed)[tools::cp1252_to_utf8(was) + " -> " + tools::cp1252_to_utf8(now)];
  }
  return r;
}

void print_commonest(const char* title, const std::map<std::string, std::size_t>& errors, std::size_t n) {
  std::vector<std::pair<std::size_t, std::string>> common;
  std::size_t total = 0;
  for (const auto& [pair, count] : errors) common.emplace_back(count, pair), total += count;
  std::sort(common.begin(), common.end(), [](const auto& a, const auto& b) {
    return a.first > b.first || (a.first == b.first && a.second < b.second);
  });
  std::printf("  %s: %zu words, %zu different\n", title, total, common.size());
  for (std::size_t i = 0; i < std::min(n, common.size()); ++i)
    std::printf("  %6zu  %s\n", common[i].first, common[i].second.c_str());
}

void report(const std::string& path, std::size_t entries, const Result& r, std::size_t words, std::size_t accented,
            std::size_t show_errors) {
  const auto percent = [](std::size_t part, std::size_t whole) {
    return whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
  };
  std::printf(
      "%s: %zu entries; word accuracy %.2f%% (%zu wrong), accent recall %.2f%%, %zu words given a wrong accent (%.2f "
      "per 1,000 words)\n",
      path.c_str(), entries, percent(r.equal, words), words - r.equal, percent(r.accented_equal, accented),
      r.wrongly_accented, words ? 1000.0 * static_cast<double>(r.wrongly_accented) / static_cast<double>(words) : 0.0);
  if (show_errors) {
    print_commonest("accent missing", r.missed, show_errors);
    print_commonest("wrong accent", r.wrong, show_errors);
  }
}

// The words that the context model restored otherwise than the dictionary alone: "+" where
// that mended the word, "-" where it broke it, " " where both are wrong.
void print_changes(const std::string& original, const std::string& alone, const std::string& with_context,
                   const std::vector<Word>& words, std::size_t n) {
  std::map<std::string, std::size_t> changes;
  for (const Word& w : words) {
    const auto at = [&](const std::string& s) { return std::string_view(s).substr(w.offset, w.length); };
    if (at(alone) == at(with_context)) continue;
    const char mark = at(with_context) == at(original) ? '+' : at(alone) == at(original) ? '-' : ' ';
    ++changes[std::string(1, mark) + " " + tools::cp1252_to_utf8(std::string(at(original))) + ": " +
              tools::cp1252_to_utf8(std::string(at(alone))) + " -> " +
              tools::cp1252_to_utf8(std::string(at(with_context)))];
  }
  print_commonest("changed by the context", changes, n);
}

}  // namespace

int main(int argc, char** argv) {
  const auto line = tools::parse_command_line(argc, argv, {"--text", "--restore", "--errors", "--context", "--changes"},
                                              {"--all-marks"});
  if (line.error) usage(*line.error);
  const auto& dictionary_paths = line.positional;
  std::optional<accents::ContextModel> context;
  if (line.has("--context")) context = load_context_model(line.value("--context"));

  if (line.has("--restore")) {
    if (dictionary_paths.size() != 1 || line.has("--text")) usage("--restore takes one text and one dictionary");
    const auto text = tools::utf8_to_cp1252(line.value("--restore"));
    if (!text) usage("the text is not UTF-8 that code page 1252 can spell");
    std::cout << tools::cp1252_to_utf8(
                     restore(*text, load_dictionary(dictionary_paths[0]), context ? &*context : nullptr))
              << "\n";
    return 0;
  }
  if (!line.has("--text") || dictionary_paths.empty()) usage("expected --text FILE and at least one DICTIONARY");
  const auto show_errors = line.has("--errors") ? tools::parse_number(line.value("--errors")) : 0.0;
  if (!show_errors || *show_errors < 0) usage("--errors takes a number");
  const auto show_changes = tools::number_option(line, "--changes", 0, 0, "measure_accents", usage_text);

  all_marks = line.has("--all-marks");
  const Texts texts = read_texts(line.all("--text"));
  const std::string stripped = strip_marks(texts.original);
  const std::vector<Word> words = words_of(texts.original);
  const auto accented =
      static_cast<std::size_t>(std::count_if(words.begin(), words.end(), [](const Word& w) { return w.accented; }));
  std::cout << "text: " << texts.original.size() << " bytes, " << words.size() << " words, " << accented
            << (all_marks ? " with a mark" : " with an acute accent");
  if (texts.lines_left_out) std::cout << " (" << texts.lines_left_out << " lines outside code page 1252 left out)";
  std::cout << "\n";

  for (const auto& path : dictionary_paths) {
    const auto dictionary = load_dictionary(path);
    const std::string alone = restore(stripped, dictionary);
    const Result r = compare(texts.original, stripped, alone, words);
    report(path, dictionary.entry_count(), r, words.size(), accented, static_cast<std::size_t>(*show_errors));
    if (!context) continue;
    const std::string with_context = restore(stripped, dictionary, &*context);
    report(path + " with the context model", dictionary.entry_count(),
           compare(texts.original, stripped, with_context, words), words.size(), accented,
           static_cast<std::size_t>(*show_errors));
    if (show_changes > 0)
      print_changes(texts.original, alone, with_context, words, static_cast<std::size_t>(show_changes));
  }
  return 0;
}
