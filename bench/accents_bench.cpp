// Speed of loading the accent dictionary and of "Poner tilde" on long texts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/context_model.h"
#include "accents/dictionary_file.h"
#include "accents/dictionary_index.h"
#include "accents/dictionary_loader.h"
#include "text/case_conversion.h"
#include "tests/support/crowded_words.h"
#include "text/code_page_text.h"
#include "text/utf8.h"

namespace {

char accented_vowel(char plain) {
  const std::string_view plain_vowels = "aeiou", accented = "\xE1\xE9\xED\xF3\xFA";
  const std::size_t i = plain_vowels.find(plain);
  return i == std::string_view::npos ? plain : accented[i];
}

// Spanish-looking words: syllables, some with an accented vowel.
std::vector<std::string> synthetic_words(std::size_t count) {
  static const char* const onsets[] = {"",  "b", "c", "d", "f", "g",  "l",  "m",  "n",
                                       "p", "r", "s", "t", "v", "ch", "br", "tr", "pl"};
  static const char* const vowels[] = {"a", "e", "i", "o", "u", "ia", "ue"};
  static const char* const codas[] = {"", "", "", "n", "s", "r", "l"};
  std::mt19937 random(7);
  std::vector<std::string> words;
  words.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string w;
    const int syllables = 1 + static_cast<int>(random() % 4);
    for (int s = 0; s < syllables; ++s) {
      w += onsets[random() % std::size(onsets)];
      w += vowels[random() % std::size(vowels)];
      w += codas[random() % std::size(codas)];
    }
    if (random() % 3 == 0) {
      const std::size_t p = w.find_last_of("aeiou");
      if (p != std::string::npos) w[p] = accented_vowel(w[p]);
    }
    words.push_back(w);
  }
  return words;
}

std::vector<unsigned char> dictionary_file(const std::vector<std::string>& words) {
  std::vector<unsigned char> file;
  file.reserve(words.size() * accents::record_size);
  for (const auto& w : words)
    if (const auto record = accents::encode_record(w)) file.insert(file.end(), record->begin(), record->end());
  return file;
}

std::vector<unsigned char> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void report_load(benchmark::State& state, const std::vector<unsigned char>& file) {
  for (auto _ : state) benchmark::DoNotOptimize(accents::load_accent_dictionary(file, [] {}));
  const auto load = accents::load_accent_dictionary(file);
  const auto& d = load.dictionary;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
  state.counters["records"] = static_cast<double>(d.entry_count());
  state.counters["distinct"] = static_cast<double>(d.distinct_count());
  state.counters["index_bytes_per_entry"] =
      static_cast<double>(d.index_bytes()) / static_cast<double>(d.distinct_count());
}

void load_synthetic(benchmark::State& state) {
  report_load(state, dictionary_file(synthetic_words(static_cast<std::size_t>(state.range(0)))));
}
BENCHMARK(load_synthetic)->Arg(300000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Words made up to crowd one cluster of a table hashed without a key: with the keyed hash they
// load as fast as any others of their number, and so are looked up.
void load_crowded(benchmark::State& state) {
  report_load(state, dictionary_file(crowded::words(static_cast<std::size_t>(state.range(0)))));
}
BENCHMARK(load_crowded)->Arg(200000)->Unit(benchmark::kMillisecond);

// The real dictionary: the file named by TILDARIO_DICTIONARY, else the one a build has made.
std::string real_dictionary_path() {
  std::vector<std::string> paths;
  if (const char* given = std::getenv("TILDARIO_DICTIONARY")) paths.push_back(given);
  for (const char* build : {"native", "win64"})
    paths.push_back(std::string(TILDARIO_SOURCE_DIR "/build/") + build + "/diccionario.log");
  for (const auto& path : paths)
    if (std::ifstream(path)) return path;
  return {};
}

std::vector<unsigned char> real_dictionary_file() {
  const std::string path = real_dictionary_path();
  return path.empty() ? std::vector<unsigned char>{} : read_file(path);
}

void load_real(benchmark::State& state) {
  const auto file = real_dictionary_file();
  if (file.empty()) return state.SkipWithError("no diccionario.log in build/native or build/win64");
  report_load(state, file);
}
BENCHMARK(load_real)->Unit(benchmark::kMillisecond);

// The same dictionary from its ready index, as the tray takes it: the file hashed 256 records
// at a time (a call between each, where the tray hands on a message), then the index checked.
void load_real_index(benchmark::State& state) {
  const std::string path = real_dictionary_path();
  const auto file = path.empty() ? std::vector<unsigned char>{} : read_file(path);
  const auto index_bytes =
      path.empty() ? std::vector<unsigned char>{} : read_file(path.substr(0, path.size() - 4) + ".idx");
  if (file.empty() || index_bytes.empty()) return state.SkipWithError("no diccionario.log and diccionario.idx");
  std::vector<std::uint64_t> aligned(index_bytes.size() / 8 + 1);
  std::memcpy(aligned.data(), index_bytes.data(), index_bytes.size());
  const std::span<const unsigned char> index(reinterpret_cast<const unsigned char*>(aligned.data()),
                                             index_bytes.size());
  constexpr std::size_t slice = 256 * accents::record_size;
  int calls = 0;
  for (auto _ : state) {
    accents::FingerprintMaker fingerprint;
    for (std::size_t at = 0; at < file.size(); at += slice) {
      fingerprint.add(std::span(file).subspan(at, std::min(slice, file.size() - at)));
      benchmark::DoNotOptimize(++calls);
    }
    auto d = accents::open_dictionary_index(index, fingerprint.finish(), nullptr);
    if (!d) return state.SkipWithError("the index is not this dictionary's");
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(load_real_index)->Unit(benchmark::kMillisecond);

// The context model of "tildario tilde --contexto": the file named by TILDARIO_CONTEXT_MODEL,
// else the one scripts/make-dictionary.sh made, from memory.
void load_context_model(benchmark::State& state) {
  const char* given = std::getenv("TILDARIO_CONTEXT_MODEL");
  const auto file = read_file(given ? given : TILDARIO_SOURCE_DIR "/build/win64/contexto.dat");
  if (file.empty()) return state.SkipWithError("no contexto.dat in build/win64");
  std::size_t features = 0;
  for (auto _ : state) {
    const auto model = accents::ContextModel::load(file);
    if (!model) return state.SkipWithError("not a context model");
    features = model->feature_count();
  }
  state.counters["features"] = static_cast<double>(features);
}
BENCHMARK(load_context_model)->Unit(benchmark::kMillisecond);

// Running text: plain forms of dictionary words (so most words try their vowels), accented
// and unknown words, capitals, punctuation, digits and line breaks. Words are drawn either as
// in real text (rank-frequency: a few words very often) or all equally often, the worst case
// for memory caches.
std::string synthetic_text(const std::vector<std::string>& words, std::size_t size, bool like_real_text) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::string text;
  text.reserve(size + 64);
  while (text.size() < size) {
    const auto rank = like_real_text
                          ? static_cast<std::size_t>(std::pow(static_cast<double>(words.size()), unit(random))) - 1
                          : random() % words.size();
    std::string w = words[rank];
    for (char& c : w)
      for (char v : {'a', 'e', 'i', 'o', 'u'})
        if (random() % 2 && c == accented_vowel(v)) c = v;
    if (random() % 8 == 0) w[0] = static_cast<char>(w[0] - 0x20);
    text += w;
    switch (random() % 16) {
      case 0: text += ", "; break;
      case 1: text += ".\r\n"; break;
      case 2: text += " 2024 "; break;
      default: text += ' ';
    }
  }
  return text;
}

void restore(benchmark::State& state, bool like_real_text) {
  const auto words = synthetic_words(300000);
  const auto dictionary = accents::load_accent_dictionary(dictionary_file(words)).dictionary;
  const std::string text = synthetic_text(words, static_cast<std::size_t>(state.range(0)) << 20, like_real_text);
  std::int64_t corrections = 0;
  for (auto _ : state) {
    text::CodePageText restored{text, {}, {}};
    accents::AccentCorrections result;
    accents::restore_accents(restored, dictionary, result);
    corrections = result.count;
    benchmark::DoNotOptimize(restored.text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["corrections"] = static_cast<double>(corrections);
}
// The real dictionary on a text made of its own words, accents stripped at random.
void restore_real(benchmark::State& state) {
  const auto file = real_dictionary_file();
  if (file.empty()) return state.SkipWithError("no diccionario.log in build/native or build/win64");
  std::vector<std::string> words;
  char word[accents::max_decoded_length];
  for (std::size_t k = 0; k + accents::record_size <= file.size(); k += accents::record_size)
    if (const std::size_t n = accents::decode_record_into(file.data() + k, word); n > 0)
      words.push_back(text::to_lower_case(std::string_view(word, n)));
  const auto dictionary = accents::load_accent_dictionary(file).dictionary;
  const std::string text = synthetic_text(words, static_cast<std::size_t>(state.range(0)) << 20, true);
  for (auto _ : state) {
    text::CodePageText restored{text, {}, {}};
    accents::AccentCorrections corrections;
    accents::restore_accents(restored, dictionary, corrections);
    benchmark::DoNotOptimize(restored.text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(restore_real)->Arg(10)->Unit(benchmark::kMillisecond);

// The text bench/compare.sh restores (its copy without accents, made by bench/make_bench_text),
// or the file named by TILDARIO_TEXT, as the command line restores it: in pieces of 4 MB through
// one AccentRestorer, with the real dictionary and, if asked, the context model.
void restore_bench_text(benchmark::State& state, bool with_context) {
  const char* given = std::getenv("TILDARIO_TEXT");
  const auto utf8 = read_file(given ? given : TILDARIO_SOURCE_DIR "/build/bench/texto-sin-tildes.txt");
  const auto file = real_dictionary_file();
  const auto model_file = read_file(TILDARIO_SOURCE_DIR "/build/win64/contexto.dat");
  if (utf8.empty() || file.empty()) return state.SkipWithError("no benchmark text or no diccionario.log");
  text::CodePageText whole;
  text::append_utf8(whole, std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
  const auto dictionary = accents::load_accent_dictionary(file).dictionary;
  const auto model = accents::ContextModel::load(model_file);
  if (with_context && !model) return state.SkipWithError("no contexto.dat in build/win64");
  constexpr std::size_t piece = 4 << 20;
  text::CodePageText restored;
  for (auto _ : state) {
    accents::AccentRestorer restorer(dictionary, with_context ? &*model : nullptr);
    accents::AccentCorrections corrections;
    for (std::size_t at = 0; at < whole.text.size(); at += piece) {
      restored.text.assign(whole.text, at, piece);
      restorer.restore(restored, corrections);
      benchmark::DoNotOptimize(restored.text.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * whole.text.size()));
}
BENCHMARK_CAPTURE(restore_bench_text, dictionary, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(restore_bench_text, context, true)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(restore, running_text, true)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(restore, uniform_words, false)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
