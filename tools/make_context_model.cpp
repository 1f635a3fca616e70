// Writes the context model of "tildario tilde --contexto" from a table of context counts
// (tools/context_counts.h; count_corpus --context makes one).
//
//   make_context_model [--forms WORD_LIST [--mark-words LIST ...] [--word-counts TABLE]] [--smoothing A]
//   [--accent-threshold T] [--plain-threshold T] [--mark-threshold T]
//                      [--features LIST] COUNTS OUTPUT
//
// WORD_LIST (UTF-8, a form a line, as make_dictionary takes) names the real words: the corpus
// also holds misspellings ("fígura", "funcion"), and every spelling the model chooses, the plain
// one too, must be a real word. The
// words of each --mark-words LIST, and those of the word list that the word counts TABLE
// (tools/word_counts.h) has, that take ñ or ü and cannot be meant otherwise ("español") are
// restored wherever they are written without those letters, unless the table says their plain
// letters are written more often. The
// plain spelling always stays a choice: it leaves the word as it was written. LIST names the
// features to keep, from -1,+1,-2,+2,-1e,+1e (all by default). The thresholds are in natural-log units:
// how much likelier than the dictionary's choice another spelling must be, one with an accent
// and the plain word; --mark-threshold, one with ñ or ü (by default the accent's).
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "text/case_conversion.h"

#include "tools/command_line.h"
#include "tools/context_counts.h"
#include "tools/context_model_file.h"
#include "tools/utf8_cp1252.h"
#include "tools/word_counts.h"

namespace {

constexpr std::string_view usage_text =
    "usage: make_context_model [--forms WORD_LIST [--mark-words LIST ...] [--word-counts TABLE]] [--smoothing A]\n"
    "                          [--accent-threshold T] [--plain-threshold T] [--mark-threshold T] [--unwritten-gap G]\n"
    "                          [--features -1,+1,-2,+2,-1e,+1e]\n"
    "                          COUNTS OUTPUT\n";

[[noreturn]] void usage(std::string_view why) { tools::exit_with_usage("make_context_model", why, usage_text); }

[[noreturn]] void fail(const std::string& why) { tools::exit_with_error("make_context_model", why); }

std::vector<accents::ContextFeature> parse_features(std::string_view list) {
  std::vector<accents::ContextFeature> features;
  while (!list.empty()) {
    const std::string_view name = list.substr(0, list.find(','));
    list.remove_prefix(std::min(list.size(), name.size() + 1));
    const auto feature = tools::context_feature_named(name);
    if (!feature) usage("--features takes a list of -1, +1, -2, +2, -1e and +1e");
    features.push_back(*feature);
  }
  if (features.empty()) usage("--features takes a list of -1, +1, -2, +2, -1e and +1e");
  return features;
}

// The forms of a word list in small letters, code page 1252; those the code page cannot spell
// are left out.
std::unordered_set<std::string> read_forms(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot read " + path);
  std::unordered_set<std::string> forms;
  for (std::string line; std::getline(in, line);)
    if (auto form = tools::utf8_to_cp1252(line)) forms.insert(text::to_lower_case(*form));
  if (in.bad()) fail("cannot read " + path);
  return forms;
}

// How often each word of a word counts table is written, over all its sources.
std::unordered_map<std::string, std::uint64_t> read_written(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail("cannot read " + path);
  const auto table = tools::read_word_counts(in);
  if (!table) fail(path + " is not a word counts table");
  std::unordered_map<std::string, std::uint64_t> written;
  for (const auto& [word, counts] : table->counts)
    for (const auto n : counts) written[word] += n;
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  const auto line =
      tools::parse_command_line(argc, argv,
                                {"--forms", "--mark-words", "--word-counts", "--smoothing", "--unwritten-gap",
                                 "--accent-threshold", "--plain-threshold", "--mark-threshold", "--features"});
  if (line.error) usage(*line.error);
  if (line.positional.size() != 2) usage("expected COUNTS and OUTPUT");
  tools::ContextModelSettings settings;
  settings.smoothing =
      tools::number_option(line, "--smoothing", settings.smoothing, 0.01, "make_context_model", usage_text);
  settings.accent_threshold = tools::number_option(line, "--accent-threshold", settings.accent_threshold, 0.0,
                                                   "make_context_model", usage_text);
  settings.plain_threshold =
      tools::number_option(line, "--plain-threshold", settings.plain_threshold, 0.0, "make_context_model", usage_text);
  if (line.has("--mark-threshold"))
    settings.mark_threshold = tools::number_option(line, "--mark-threshold", settings.accent_threshold, 0.0,
                                                   "make_context_model", usage_text);
  settings.unwritten_gap =
      tools::number_option(line, "--unwritten-gap", settings.unwritten_gap, 0.0, "make_context_model", usage_text);
  if (line.has("--features")) settings.features = parse_features(line.value("--features"));

  std::ifstream in(line.positional[0], std::ios::binary);
  if (!in) fail("cannot read " + line.positional[0]);
  std::string error;
  auto counts = tools::read_context_counts(in, error);
  if (!counts) fail(line.positional[0] + ": " + error);
  std::vector<tools::MarkSpelling> marks;
  if (line.has("--forms")) {
    const std::unordered_set<std::string> forms = read_forms(line.value("--forms"));
    tools::add_plain_spellings(*counts, [&forms](const std::string& plain) { return forms.contains(plain); });
    tools::keep_spellings(*counts, [&forms](const std::string& spelling) { return forms.contains(spelling); });
    // The words that may be restored with ñ or ü: those of the lists, and those written in the
    // counted text; not every rare form of the word list ("bruñí" would take "Bruni").
    std::unordered_set<std::string> spellings;
    for (const std::string& list : line.all("--mark-words")) spellings.merge(read_forms(list));
    std::unordered_map<std::string, std::uint64_t> written;
    if (line.has("--word-counts")) written = read_written(line.value("--word-counts"));
    for (const auto& [word, count] : written)
      if (forms.contains(word)) spellings.insert(word);
    marks = tools::mark_spellings(spellings, forms, [&written](const std::string& word) {
      const auto found = written.find(word);
      return found == written.end() ? std::uint64_t{0} : found->second;
    });
  }

  std::string model;
  try {
    model = tools::make_context_model(*counts, settings, marks);
  } catch (const std::runtime_error& e) {
    fail(e.what());
  }
  std::ofstream out(line.positional[1], std::ios::binary | std::ios::trunc);
  out.write(model.data(), static_cast<std::streamsize>(model.size()));
  out.close();
  if (!out) fail("cannot write " + line.positional[1]);
  std::size_t features = 0;
  for (const auto& [plain, group] : *counts) features += group.features.size();
  std::cout << "make_context_model: " << counts->size() << " words, " << features << " features counted, "
            << marks.size() << " words with their tilde or diaeresis; " << line.positional[1] << ": " << model.size()
            << " bytes\n";
  return 0;
}
