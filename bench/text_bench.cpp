#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "text/counts.h"
#include "text/repetition.h"
#include "text/tokens.h"

namespace {

// Spanish-like running text: frequent short words far more often than rare long ones, function
// words, capitals after a full stop, commas, digits and CR LF line breaks. The same bytes on
// every run.
std::string spanish_like_text(std::size_t bytes) {
  // clang-format off
  static const char* const words[] = {
      "de", "la", "que", "el", "en", "y", "a", "los", "se", "del", "las", "un", "por", "con", "no", "una",
      "su", "para", "es", "al", "lo", "como", "m\xE1s", "pero", "sus", "le", "ya", "o", "este", "s\xED",
      "porque", "esta", "entre", "cuando", "muy", "sin", "sobre", "tambi\xE9n", "me", "hasta", "hay",
      "donde", "quien", "desde", "todo", "nos", "durante", "todos", "uno", "les", "ni", "contra", "otros",
      "ese", "eso", "ante", "ellos", "e", "esto", "m\xED", "antes", "algunos", "qu\xE9", "unos", "yo",
      "otro", "otras", "otra", "\xE9l", "tanto", "esa", "estos", "mucho", "quienes", "nada", "muchos",
      "cual", "poco", "ella", "estar", "estas", "algunas", "algo", "nosotros", "casa", "perro", "ciudad",
      "tiempo", "a\xF1o", "d\xED" "a", "mundo", "vida", "hombre", "parte", "ni\xF1o", "coraz\xF3n",
      "canci\xF3n", "pa\xEDs", "mujer", "historia", "escribir", "pensamiento", "acci\xF3n", "corriente",
      "espa\xF1ol", "peque\xF1o", "r\xE1pidamente", "naturaleza", "monta\xF1" "a", "ping\xFCino", "e-mail",
      "informaci\xF3n", "gobierno", "trabajo", "palabra", "\xE1rbol", "camino", "agua", "fuego",
  };
  // clang-format on
  constexpr std::size_t word_count = sizeof words / sizeof words[0];
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  std::string text;
  text.reserve(bytes + 64);
  bool sentence_start = true;
  std::size_t line = 0;
  while (text.size() < bytes) {
    // The square of a uniform number favours the first, most frequent words.
    const std::uint64_t r = next() % 1024;
    std::string word = words[r * r * word_count / (1024 * 1024)];
    if (sentence_start && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
    sentence_start = false;
    text += word;
    const std::uint64_t mark = next() % 100;
    if (mark < 6) {
      text += ". ";
      sentence_start = true;
    } else if (mark < 14) {
      text += ", ";
    } else if (mark < 15) {
      text += " 2024 ";
    } else {
      text += ' ';
    }
    if (text.size() - line > 80) {
      text += "\r\n";
      line = text.size();
    }
  }
  text.resize(bytes);
  return text;
}

std::size_t token_count(std::string_view text) {
  const text::Tokens tokens = text::split_text(text);
  return static_cast<std::size_t>(std::distance(tokens.begin(), tokens.end()));
}

void split(benchmark::State& state) {
  const std::string text = spanish_like_text(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(token_count(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// The words of a text, as restoration and the repetition report find them.
void find_words(benchmark::State& state) {
  const std::string text = spanish_like_text(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::size_t words = 0, last = 0;
    text::for_each_word(text, [&](std::size_t offset, std::size_t size) {
      ++words;
      last = offset + size;
    });
    benchmark::DoNotOptimize(words);
    benchmark::DoNotOptimize(last);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void word_count(benchmark::State& state) {
  const std::string text = spanish_like_text(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(text::count_word_fragments(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void vowel_and_consonant_counts(benchmark::State& state) {
  const std::string text = spanish_like_text(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(text::count_vowels(text));
    benchmark::DoNotOptimize(text::count_consonants(text));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0) * 2);
}

void repetition_report(benchmark::State& state) {
  const std::string text = spanish_like_text(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(text::word_repetition_report(text));
  state.counters["tokens"] = static_cast<double>(token_count(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// The repetition report alone on a list of exactly 1,000,000 tokens.
void repetition_report_million_tokens(benchmark::State& state) {
  std::string text = spanish_like_text(3'000'000);
  while (token_count(text) < 1'000'000) text += text;
  const text::Tokens tokens = text::split_text(text);
  auto it = tokens.begin();
  for (int i = 0; i < 1'000'000; ++i) ++it;
  text.resize(it.offset());
  state.counters["tokens"] = static_cast<double>(token_count(text));
  std::size_t listed = 0;
  for (auto _ : state) {
    const auto report = text::word_repetition_report(text);
    listed = report.size();
    benchmark::DoNotOptimize(report);
  }
  state.counters["report_bytes"] = static_cast<double>(listed);
}

constexpr std::int64_t one_mb = 1 << 20;

BENCHMARK(split)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(find_words)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(word_count)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(vowel_and_consonant_counts)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(repetition_report)->Arg(one_mb)->Arg(10 * one_mb)->Unit(benchmark::kMillisecond);
BENCHMARK(repetition_report_million_tokens)->Unit(benchmark::kMillisecond);

}  // namespace
