// Counts every word form of Spanish running text, as written, in the documents of one part of
// a corpus, and can write that part's running text out.
//
//   count_corpus --part PART --root DIR [--counts TABLE] [--min-total N] [--text FILE]
//                [--context TABLE [--plain-words LIST]] --source NAME=LIST [--source NAME=LIST ...]
//
// LIST names the documents of one source, one path relative to DIR a line: HTML, XHTML or
// XML help pages; gettext message catalogues (.mo), Fluent files (.ftl) or .properties files,
// each line of a message a paragraph; or a Debian archive's translated package descriptions
// (a file named Translation-LL), of which each description is a document of its own, named
// by its package; or a Chromium locale pack (.pak, with its .pak.info beside it), whose
// messages make a document for each of Chromium's source files and hundred of ids, named by
// both. Each document belongs to one part, by a hash of NAME/path (NAME/package for a
// description, NAME/source file/hundred for a pack): "held-out" (a quarter, for
// judging the dictionary), "build" (the rest), which itself splits into "fit" and "tune" for
// choosing the dictionary's margins without looking at "held-out". Paragraphs
// and whole documents that read as English are left out. The counts (tools/word_counts.h)
// are in small letters and code page 1252 spelling, the text (UTF-8, a paragraph a line) in
// code page 1252 spelling. --context writes the counts of the ambiguous words' neighbours that
// the context model is made from (tools/context_counts.h); with --plain-words (a word a line,
// UTF-8) it also counts the words written only with ñ or ü whose plain letters are in LIST.
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "text/case_conversion.h"

#include "tools/chromium_pak.h"
#include "tools/command_line.h"
#include "tools/context_counts.h"
#include "tools/corpus_words.h"
#include "tools/files.h"
#include "tools/fluent_messages.h"
#include "tools/gettext_catalog.h"
#include "tools/markup_text.h"
#include "tools/message_text.h"
#include "tools/package_descriptions.h"
#include "tools/properties_messages.h"
#include "tools/utf8_cp1252.h"
#include "tools/word_counts.h"

namespace {

constexpr std::string_view usage_text =
    "usage: count_corpus --part build|held-out|fit|tune --root DIR [--counts TABLE] [--min-total N]\n"
    "                    [--text FILE] [--context TABLE [--plain-words LIST]]\n"
    "                    --source NAME=LIST [--source NAME=LIST ...]\n";

[[noreturn]] void usage(std::string_view why) { tools::exit_with_usage("count_corpus", why, usage_text); }

[[noreturn]] void fail(const std::string& why) { tools::exit_with_error("count_corpus", why); }

struct Source {
  std::string name, list_path;
};

struct Options {
  std::string part, root, counts_path, text_path, context_path, plain_words_path;
  std::uint64_t min_total = 1;
  std::vector<Source> sources;
};

Options parse_options(int argc, char** argv) {
  const auto line = tools::parse_command_line(
      argc, argv, {"--part", "--root", "--counts", "--min-total", "--text", "--context", "--plain-words", "--source"});
  if (line.error) usage(*line.error);
  if (!line.positional.empty()) usage("unexpected argument " + line.positional.front());
  Options o;
  o.part = line.value("--part");
  if (o.part != "build" && o.part != "held-out" && o.part != "fit" && o.part != "tune")
    usage("--part is one of build, held-out, fit, tune");
  o.root = line.value("--root");
  if (o.root.empty()) usage("--root is needed");
  o.counts_path = line.value("--counts");
  o.text_path = line.value("--text");
  o.context_path = line.value("--context");
  o.plain_words_path = line.value("--plain-words");
  if (line.has("--min-total")) {
    const auto n = tools::parse_number(line.value("--min-total"));
    if (!n || *n < 1) usage("--min-total takes a number of at least 1");
    o.min_total = static_cast<std::uint64_t>(*n);
  }
  for (const auto& s : line.all("--source")) {
    const auto eq = s.find('=');
    if (eq == 0 || eq == std::string::npos || s.find_first_of("/\t") < eq) usage("--source takes NAME=LIST");
    o.sources.push_back({s.substr(0, eq), s.substr(eq + 1)});
  }
  if (o.sources.empty()) usage("no --source");
  return o;
}

bool in_part(const std::string& part, unsigned bucket) {
  if (part == "held-out") return bucket < 25;
  if (part == "build") return bucket >= 25;
  if (part == "tune") return bucket >= 25 && bucket < 45;
  return bucket >= 45;  // fit
}

std::string read_document(const std::string& path) {
  auto bytes = tools::read_file(path);
  if (!bytes) fail("cannot read " + path);
  return std::move(*bytes);
}

// The messages of a translated program's file: a message catalogue, a Fluent or a .properties file.
std::optional<std::vector<std::string>> file_messages(const std::string& path, const std::string& bytes) {
  if (path.ends_with(".ftl")) return tools::fluent_messages(bytes);
  if (path.ends_with(".properties")) return tools::properties_messages(bytes);
  if (!path.ends_with(".mo")) return std::nullopt;
  auto messages = tools::catalog_translations(bytes);
  if (!messages) fail(path + " is not a well-formed message catalogue");
  return messages;
}

// The UTF-8 paragraphs of a document, read by its kind: a translated program's messages or a
// markup page.
std::vector<std::string> document_paragraphs(const std::string& path) {
  const auto bytes = read_document(path);
  const auto messages = file_messages(path, bytes);
  if (!messages) return tools::markup_paragraphs(bytes);
  std::vector<std::string> paragraphs;
  for (const auto& m : *messages)
    for (auto& p : tools::message_paragraphs(m)) paragraphs.push_back(std::move(p));
  return paragraphs;
}

// The messages of a Chromium locale pack by document name (its source file and hundred of ids),
// each message's paragraphs.
std::map<std::string, std::vector<std::string>> pak_documents(const std::string& path) {
  const auto messages = tools::pak_messages(read_document(path));
  if (!messages) fail(path + " is not a well-formed Chromium pack");
  const auto files = tools::pak_message_files(read_document(path + ".info"));
  std::map<std::string, std::vector<std::string>> documents;
  for (const auto& m : *messages) {
    const auto file = files.find(m.id);
    auto& document = documents[(file == files.end() ? "" : file->second) + "/" + std::to_string(m.id / 100)];
    for (auto& p : tools::message_paragraphs(tools::icu_message_text(m.text))) document.push_back(std::move(p));
  }
  return documents;
}

bool is_description_file(std::string_view path) {
  const auto slash = path.rfind('/');
  return path.substr(slash == std::string_view::npos ? 0 : slash + 1).starts_with("Translation-");
}

std::vector<std::string> document_paths(const Source& source) {
  std::ifstream in(source.list_path, std::ios::binary);
  if (!in) fail("cannot read " + source.list_path);
  std::vector<std::string> paths;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) paths.push_back(line);
  return paths;
}

struct Paragraph {
  std::string text;  // code page 1252
  std::vector<std::string> words;
};

struct Tally {
  std::size_t documents = 0, english_documents = 0, paragraphs = 0, english_paragraphs = 0, words = 0;
};

// The Spanish paragraphs of one document; none when the document as a whole reads as English.
std::vector<Paragraph> spanish_paragraphs(const std::vector<std::string>& document, Tally& tally) {
  std::vector<Paragraph> paragraphs;
  int document_score = 0;
  for (const auto& p : document) {
    Paragraph paragraph{tools::utf8_to_cp1252_replacing(tools::compose_accents(p), ' '), {}};
    paragraph.words = tools::corpus_words(paragraph.text);
    if (paragraph.words.empty()) continue;
    document_score += tools::spanish_score(paragraph.words);
    paragraphs.push_back(std::move(paragraph));
  }
  if (document_score <= 0) {
    ++tally.english_documents;
    return {};
  }
  std::erase_if(paragraphs, [&](const Paragraph& p) {
    const bool english = tools::spanish_score(p.words) < 0;
    tally.english_paragraphs += english;
    return english;
  });
  return paragraphs;
}

// Appends the source's paragraphs to `text` when it is given.
void count_source(const Options& options, std::size_t index, tools::WordCounts& table, std::vector<std::string>* text) {
  const Source& source = options.sources[index];
  Tally tally;
  const auto count_document = [&](const std::vector<std::string>& document) {
    ++tally.documents;
    for (const auto& p : spanish_paragraphs(document, tally)) {
      ++tally.paragraphs;
      tally.words += p.words.size();
      for (const auto& w : p.words) {
        auto& counts = table.counts[w];
        counts.resize(options.sources.size());
        ++counts[index];
      }
      if (text) text->push_back(p.text);
    }
  };
  for (const auto& path : document_paths(source)) {
    if (is_description_file(path)) {
      for (const auto& d : tools::translated_descriptions(read_document(options.root + "/" + path)))
        if (in_part(options.part, tools::document_bucket(source.name + "/" + d.package)))
          count_document(d.paragraphs);
      continue;
    }
    if (path.ends_with(".pak")) {
      for (const auto& [name, document] : pak_documents(options.root + "/" + path))
        if (in_part(options.part, tools::document_bucket(source.name + "/" + name))) count_document(document);
      continue;
    }
    if (!in_part(options.part, tools::document_bucket(source.name + "/" + path))) continue;
    count_document(document_paragraphs(options.root + "/" + path));
  }
  std::cout << "count_corpus: " << source.name << " (" << options.part << "): " << tally.documents << " documents ("
            << tally.english_documents << " in English left out), " << tally.paragraphs << " paragraphs ("
            << tally.english_paragraphs << " in English left out), " << tally.words << " words\n";
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse_options(argc, argv);
  tools::WordCounts table;
  for (const auto& s : options.sources) table.sources.push_back(s.name);

  std::vector<std::string> paragraphs;
  const bool keep_text = !options.text_path.empty() || !options.context_path.empty();
  for (std::size_t i = 0; i < options.sources.size(); ++i)
    count_source(options, i, table, keep_text ? &paragraphs : nullptr);

  if (!options.text_path.empty()) {
    std::ofstream text(options.text_path, std::ios::binary | std::ios::trunc);
    for (const auto& p : paragraphs) text << tools::cp1252_to_utf8(p) << '\n';
    text.close();
    if (!text) fail("cannot write " + options.text_path);
  }
  if (!options.context_path.empty()) {
    std::ofstream out(options.context_path, std::ios::binary | std::ios::trunc);
    tools::ContextCounting counting;
    std::unordered_set<std::string> plain_words;
    if (!options.plain_words_path.empty()) {
      std::ifstream words(options.plain_words_path, std::ios::binary);
      if (!words) fail("cannot read " + options.plain_words_path);
      for (std::string word; std::getline(words, word);)
        if (auto cp1252 = tools::utf8_to_cp1252(word)) plain_words.insert(text::to_lower_case(*cp1252));
      counting.plain_is_word = [&plain_words](const std::string& plain) { return plain_words.contains(plain); };
    }
    tools::write_context_counts(out, tools::count_contexts(paragraphs, counting));
    out.close();
    if (!out) fail("cannot write " + options.context_path);
  }

  if (!options.counts_path.empty()) {
    std::ofstream out(options.counts_path, std::ios::binary | std::ios::trunc);
    tools::write_word_counts(out, table, options.min_total);
    out.close();
    if (!out) fail("cannot write " + options.counts_path);
  }
  return 0;
}
