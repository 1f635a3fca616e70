// Writes a long Spanish text for the benchmarks, the same bytes on every run: words drawn from a
// ranked word list (commonest first, one UTF-8 word a line) as often as in running text (Zipf's
// law), in sentences with capitals, commas, questions and paragraphs.
//
//   make_bench_text WORDS MEGABYTES [--sin-tildes] > text.txt
//
// --sin-tildes strips the acute accents (á é í ó ú and their capitals), as in text typed without
// them, for "tilde" to put back.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::uint64_t state = 0x9E3779B97F4A7C15u;

std::uint64_t next_random() {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}

// A number in [0, 1).
double uniform() { return static_cast<double>(next_random() >> 11) * 0x1.0p-53; }

// Á É Í Ó Ú á é í ó ú are 0xC3 followed by one of these bytes.
std::string without_acute_accents(std::string_view s) {
  constexpr std::string_view accented = "\x81\x89\x8D\x93\x9A\xA1\xA9\xAD\xB3\xBA", plain = "AEIOUaeiou";
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::size_t k = s[i] == '\xC3' && i + 1 < s.size() ? accented.find(s[i + 1]) : std::string_view::npos;
    if (k == std::string_view::npos) {
      out += s[i];
    } else {
      out += plain[k];
      ++i;
    }
  }
  return out;
}

// The word with its first letter a capital: ASCII, or the two-byte Latin-1 letters.
std::string capitalised(std::string w) {
  if (!w.empty() && w[0] >= 'a' && w[0] <= 'z') {
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
  } else if (w.size() >= 2 && w[0] == '\xC3' && static_cast<unsigned char>(w[1]) >= 0xA0 && w[1] != '\xB7') {
    w[1] = static_cast<char>(w[1] - 0x20);
  }
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_bench_text WORDS MEGABYTES [--sin-tildes]\n");
    return 2;
  }
  std::vector<std::string> words;
  {
    std::ifstream in(argv[1]);
    // The list holds abbreviations ("sr.") and numbers, as text does, and a few entries of
    // punctuation only, which are left out.
    const auto letter_or_digit = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80); };
    for (std::string line; std::getline(in, line);)
      if (std::any_of(line.begin(), line.end(), letter_or_digit)) words.push_back(line);
  }
  if (words.size() < 1000) {
    std::fprintf(stderr, "make_bench_text: %s holds too few words\n", argv[1]);
    return 1;
  }
  const auto size = static_cast<std::size_t>(std::stod(argv[2]) * 1e6);
  const bool strip = argc > 3 && std::string_view(argv[3]) == "--sin-tildes";

  // Zipf-Mandelbrot weights 1 / (rank + 2.7), as a cumulative table.
  std::vector<double> cumulative(words.size());
  double total = 0;
  for (std::size_t r = 0; r < words.size(); ++r) cumulative[r] = total += 1.0 / (static_cast<double>(r) + 2.7);

  std::string text;
  text.reserve(size + 256);
  std::size_t line_start = 0;
  // Lines of about 72 bytes at most, as text files are written.
  const auto next_space = [&] {
    if (text.size() - line_start > 72) {
      text += '\n';
      line_start = text.size();
    } else {
      text += ' ';
    }
  };
  while (text.size() < size) {
    const bool question = next_random() % 8 == 0;
    if (question) text += "\xC2\xBF";
    const int length = 4 + static_cast<int>(next_random() % 18);
    for (int i = 0; i < length; ++i) {
      const double pick = uniform() * total;
      const auto rank =
          static_cast<std::size_t>(std::upper_bound(cumulative.begin(), cumulative.end(), pick) - cumulative.begin());
      const std::string& w = words[std::min(rank, words.size() - 1)];
      text += i == 0 ? capitalised(w) : w;
      if (i + 1 < length) {
        if (next_random() % 10 == 0) text += ',';
        next_space();
      }
    }
    text += question ? "?" : ".";
    if (next_random() % 7 == 0) {
      text += "\n\n";
      line_start = text.size();
    } else {
      next_space();
    }
  }
  if (text.back() != '\n') text += '\n';
  if (strip) text = without_acute_accents(text);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
