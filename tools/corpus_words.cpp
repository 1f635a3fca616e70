#include "tools/corpus_words.h"

#include <algorithm>
#include <cstdint>

#include "accents/dictionary_file.h"
#include "text/case_conversion.h"
#include "text/code_page_1252.h"
#include "text/marked_letters.h"
#include "text/tokens.h"

namespace tools {

namespace {

// A letter of the code page, but not one of the signs Windows counts as letters (ƒ ˆ ª µ º):
// "1º" or "5 µm" alone make no word of a corpus.
bool is_letter(unsigned char b) {
  return text::cp1252::is_alpha(b) && b != 0x83 && b != 0x88 && b != 0xAA && b != 0xB5 && b != 0xBA;
}

bool in_list(std::string_view word, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

// The precomposed letter (a code point below 0x100) of `base` with the combining mark whose
// last UTF-8 byte is `mark` (0x81 acute, 0x83 tilde, 0x88 diaeresis), or 0.
unsigned composed(char base, unsigned char mark) {
  const auto letter = [&](text::Mark m) { return text::marked_letter(static_cast<unsigned char>(base), m); };
  switch (mark) {
    case 0x81: return letter(text::Mark::acute);
    case 0x83: return letter(text::Mark::tilde);
    case 0x88: return letter(text::Mark::diaeresis);
    default: return 0;
  }
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
