#include "tools/corpus_words.h"

#include <algorithm>
#include <cstdint>

#include "accents/dictionary_file.h"
#include "text/case_conversion.h"
#include "text/tokens.h"
#include "text/char_classes.h"

namespace tools {

namespace {

bool is_letter(unsigned char b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b != 0xD7 && b != 0xF7) || b == 0x8A ||
         b == 0x8C || b == 0x8E || b == 0x9A || b == 0x9C || b == 0x9E || b == 0x9F;
}

bool in_list(std::string_view word, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

// The precomposed letter (a code point below 0x100) of `base` with the combining mark whose
// last UTF-8 byte is `mark` (0x81 acute, 0x83 tilde, 0x88 diaeresis), or 0.
unsigned composed(char base, unsigned char mark) {
  static constexpr std::string_view bases = "aeiouAEIOU";
  static constexpr unsigned char acute[] = {0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xC1, 0xC9, 0xCD, 0xD3, 0xDA};
  if (mark == 0x81)
    if (const auto i = bases.find(base); i != std::string_view::npos) return acute[i];
  if (mark == 0x83 && (base == 'n' || base == 'N')) return base == 'n' ? 0xF1 : 0xD1;
  if (mark == 0x88 && (base == 'u' || base == 'U')) return base == 'u' ? 0xFC : 0xDC;
  return 0;
}

}  // namespace

std::string compose_accents(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    // U+0300..U+033F are 0xCC 0x80..0xBF in UTF-8.
    if (i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xCC) {
      if (const unsigned letter = composed(utf8[i], static_cast<unsigned char>(utf8[i + 2]))) {
        out.push_back(static_cast<char>(0xC0 | (letter >> 6)));
        out.push_back(static_cast<char>(0x80 | (letter & 0x3F)));
        i += 2;
        continue;
      }
    }
    out.push_back(utf8[i]);
  }
  return out;
}

std::vector<std::string> corpus_words(std::string_view cp1252) {
  std::vector<std::string> words;
  text::for_each_word(cp1252, [&](std::size_t offset, std::size_t length) {
    const std::string_view word = cp1252.substr(offset, length);
    if (word.size() > accents::max_word_length) return;
    if (std::none_of(word.begin(), word.end(), [](char c) { return is_letter(static_cast<unsigned char>(c)); })) return;
    words.push_back(text::to_lower_case(word));
  });
  return words;
}

int spanish_score(const std::vector<std::string>& words) {
  int score = 0;
  for (const auto& w : words) {
    if (in_list(w, {"de",  "la", "que", "el", "en",   "los",  "del", "se",   "las",  "por",   "un", "para", "con",
                    "una", "su", "al",  "es", "como", "pero", "sus", "este", "esta", "puede", "y",  "lo",   "si"}))
      ++score;
    else if (in_list(w, {"the",  "of",   "and", "to",  "is",  "in",   "that", "for",  "it",    "with",
                         "on",   "this", "be",  "are", "you", "by",   "or",   "from", "which", "can",
                         "your", "will", "an",  "not", "if",  "have", "has",  "was",  "at"}))
      --score;
  }
  return score;
}

unsigned document_bucket(std::string_view path) {
  std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
  for (char c : path) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return static_cast<unsigned>(hash % 100);
}

}  // namespace tools
