#include "text/repetition.h"

#include <unordered_map>

#include "text/char_classes.h"
#include "text/function_words.h"
#include "text/report_text.h"

namespace text {

namespace {

// Words are held in fixed 256-byte fields when compared and listed in 255 bytes.
constexpr std::size_t compared_bytes = 256;
constexpr std::size_t listed_bytes = 255;

// The token as the report compares it, or empty for tokens that are never counted: spaces,
// punctuation, digits and control bytes.
std::string_view counted_word(std::string_view token) {
  const std::string_view word = trimmed_token(token);
  if (word.empty() || is_separator(word)) return {};
  return word.substr(0, compared_bytes);
}

}  // namespace

RepeatedWords find_repeated_words(const TokenList& tokens) {
  // Each word is counted once in one pass, so every occurrence gets the number of occurrences
  // of its word among all tokens, as a comparison of every pair would give it.
  struct Tally {
    std::size_t occurrences;
    bool content;
  };
  std::vector<Tally> tallies;
  std::vector<std::uint32_t> tally_of_word;  // per counted token, in text order
  std::unordered_map<std::string_view, std::uint32_t> index;
  tally_of_word.reserve(tokens.size() / 2 + 1);

  for (std::string_view token : tokens) {
    const std::string_view word = counted_word(token);
    if (word.empty()) continue;
    const auto [it, added] = index.try_emplace(word, static_cast<std::uint32_t>(tallies.size()));
    if (added) tallies.push_back({0, is_content_word(word)});
    ++tallies[it->second].occurrences;
    tally_of_word.push_back(it->second);
  }

  // The single-precision factor times T is exact in double precision.
  const double threshold = static_cast<double>(repetition_ratio) * static_cast<double>(tokens.size());
  RepeatedWords repeated;
  std::size_t next = 0;
  for (std::string_view token : tokens) {
    const std::string_view word = counted_word(token);
    if (word.empty()) continue;
    const Tally& tally = tallies[tally_of_word[next++]];
    if (tally.content && static_cast<double>(tally.occurrences) >= threshold)
      repeated.push_back(word.substr(0, listed_bytes));
  }
  return repeated;
}

std::string repeated_words_report(const RepeatedWords& repeated) {
  if (repeated.empty()) return std::string(no_repetition_report);
  std::string report = count_report(static_cast<std::int64_t>(repeated.size()), " palabra(s) m\xE1s repetidas");
  report += "\r\n";
  for (std::size_t i = 0; i < repeated.size(); ++i) {
    if (i > 0) report += ',';
    report += repeated[i];
  }
  return report;
}

std::string word_repetition_report(const TokenList& tokens) { return repeated_words_report(find_repeated_words(tokens)); }

}  // namespace text
