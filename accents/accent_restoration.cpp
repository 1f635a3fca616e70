#include "accents/accent_restoration.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "text/code_page_1252.h"
#include "text/report_text.h"
#include "text/tokens.h"

namespace accents {

namespace {

char accented_vowel(char plain) {
  switch (plain) {
    case 'a': return '\xE1';
    case 'e': return '\xE9';
    case 'i': return '\xED';
    case 'o': return '\xF3';
    case 'u': return '\xFA';
    default: return 0;
  }
}

// Where a word in small letters takes its accent: npos when the dictionary knows the word
// itself, or none of its one-accent variants. Text repeats its words, the common ones over and
// over, so the answers for short words are kept: most words are then answered from a table that
// fits the processor's cache, without a look-up in the dictionary, whose tables do not.
class AccentPositions {
 public:
  AccentPositions(const AccentDictionary& dictionary, std::size_t text_size) : dictionary_(dictionary) {
    std::size_t sets = 16;
    while (sets < max_sets && sets * ways * 8 < text_size) sets *= 2;
    slots_.resize(sets * ways);
    shift_ = 64 - std::countr_zero(sets);
  }

  std::size_t find(const char* lower, std::size_t size) {
    if (size > kept_size) return ask(lower, size);
    // The word's bytes and its size as two numbers; the last byte of `high` is left for the answer.
    std::uint64_t low = 0, high = std::uint64_t{size} << 48;
    for (std::size_t i = 0; i < size; ++i) {
      const std::uint64_t b = static_cast<unsigned char>(lower[i]);
      if (i < 8)
        low |= b << (8 * i);
      else
        high |= b << (8 * (i - 8));
    }
    Slot* const set = &slots_[(((low * 0x9E3779B97F4A7C15ull) ^ (high * 0xC2B2AE3D27D4EB4Full)) >> shift_) * ways];
    for (std::size_t way = 0; way < ways; ++way) {
      if (set[way].low != low || (set[way].high & ~answer_mask) != high) continue;
      const std::uint64_t answer = set[way].high >> 56;
      // A word found again moves up one place: the commonest words stay in their sets.
      if (way > 0) std::swap(set[way], set[way - 1]);
      return answer == nowhere ? std::string_view::npos : static_cast<std::size_t>(answer);
    }
    const std::size_t p = ask(lower, size);
    set[ways - 1] = {low, high | (std::uint64_t{p == std::string_view::npos ? nowhere : p} << 56)};
    return p;
  }

 private:
  static constexpr std::size_t kept_size = 14;
  static constexpr std::size_t ways = 4;
  static constexpr std::size_t max_sets = 8192;  // 512 KiB of slots
  static constexpr std::uint64_t answer_mask = 0xFFull << 56;
  static constexpr std::uint64_t nowhere = 0xFF;

  // Bytes 0-7 of the word in `low`, bytes 8-13 and the size in `high`, then the answer. A free
  // slot has size 0, which no word has.
  struct Slot {
    std::uint64_t low = 0, high = 0;
  };

  // The word itself, then its one-accent variants from left to right, the first the dictionary
  // knows deciding.
  std::size_t ask(const char* lower, std::size_t size) {
    variants_.assign(lower, size);
    positions_.clear();
    for (std::size_t p = 0; p < size; ++p) {
      const char accented = accented_vowel(lower[p]);
      if (accented == 0) continue;
      positions_.push_back(p);
      variants_.append(lower, size);
      variants_[variants_.size() - size + p] = accented;
    }
    candidates_.clear();
    for (std::size_t k = 0; k <= positions_.size(); ++k) candidates_.push_back(std::string_view(variants_).substr(k * size, size));
    const std::size_t first = dictionary_.first_known(candidates_);
    return first == 0 || first == candidates_.size() ? std::string_view::npos : positions_[first - 1];
  }

  const AccentDictionary& dictionary_;
  std::vector<Slot> slots_;  // sets of `ways` slots, those found more often first
  int shift_ = 0;
  // Room for ask(), kept from word to word.
  std::string variants_;
  std::vector<std::size_t> positions_;
  std::vector<std::string_view> candidates_;
};

// Rewrites one word in place when it needs an accent.
void restore_word(char* word, std::size_t size, const AccentDictionary& dictionary, AccentPositions& positions,
                  AccentCorrections& corrections) {
  if (size > dictionary.longest()) return;
  char small[64];
  std::string large;
  char* const lower = size <= sizeof small ? small : (large.resize(size), large.data());
  std::transform(word, word + size, lower,
                 [](char c) { return static_cast<char>(text::cp1252::to_lower(static_cast<unsigned char>(c))); });
  const std::size_t p = positions.find(lower, size);
  if (p == std::string_view::npos) return;

  const char plain = lower[p];
  lower[p] = accented_vowel(plain);
  ++corrections.count;
  if (corrections.count <= max_listed_corrections) {
    corrections.list.append(lower, size);
    corrections.list.append("\r\n");
  }
  const std::string_view written(word, size);
  const text::CaseStyle style = text::case_style(written);
  if (style == text::CaseStyle::other) {
    // Mixed capitals stay as written; the vowel takes the accent in its own case.
    word[p] = word[p] == plain ? lower[p] : static_cast<char>(text::cp1252::to_upper(static_cast<unsigned char>(lower[p])));
  } else {
    const std::string styled = text::apply_case_style(std::string_view(lower, size), style);
    std::copy(styled.begin(), styled.end(), word);
  }
}

}  // namespace

void restore_accents(text::CodePageText& text, const AccentDictionary& dictionary, AccentCorrections& corrections) {
  if (dictionary.empty()) return;
  char* const bytes = text.text.data();
  AccentPositions positions(dictionary, text.text.size());
  // The foreign runs, in step with the tokens: the first run that ends after the current token's start.
  auto run = text.foreign.begin();
  const text::Tokens tokens = text::split_text(text.text);
  for (auto it = tokens.begin(); it != tokens.end(); ++it) {
    const std::string_view token = *it;
    if (text::is_separator(token)) continue;
    while (run != text.foreign.end() && run->end() <= it.offset()) ++run;
    if (run != text.foreign.end() && run->offset < it.offset() + token.size()) continue;
    restore_word(bytes + it.offset(), token.size(), dictionary, positions, corrections);
  }
}

std::string correction_report(const AccentCorrections& corrections) {
  std::string report = "Encontradas " + text::format_count(corrections.count) +
                       " palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
                       "fica ...";
  if (corrections.count > 0) {
    report += "\r\nYa puedes pegar el texto con las t\xEDldes correg\xED"
              "das ...\r\n";
    report += corrections.list;
  }
  return report;
}

}  // namespace accents
