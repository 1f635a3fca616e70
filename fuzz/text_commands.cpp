// Arbitrary bytes as a code page 1252 text, through the splitting and every text command.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "fuzz/check.h"
#include "fuzz/restoration_check.h"
#include "fuzz/sample_dictionary.h"
#include "text/case_conversion.h"
#include "text/code_page_1252.h"
#include "text/counts.h"
#include "text/function_words.h"
#include "text/repetition.h"
#include "text/report_text.h"
#include "text/tokens.h"

namespace {

void check_tokens(std::string_view text) {
  std::string rebuilt;
  bool after_word = false;
  const text::Tokens tokens = text::split_text(text);
  for (auto it = tokens.begin(); it != tokens.end(); ++it) {
    const std::string_view token = *it;
    FUZZ_CHECK(!token.empty());
    FUZZ_CHECK(it.offset() == rebuilt.size());
    // A separator is a token of its own; a word token is a maximal run of the other bytes.
    const bool separator = text::is_separator(token);
    if (separator) {
      FUZZ_CHECK(token.size() == 1);
    } else {
      FUZZ_CHECK(!after_word);
      for (char c : token) FUZZ_CHECK(!text::is_separator_byte(static_cast<unsigned char>(c)));
    }
    after_word = !separator;
    rebuilt += token;
  }
  FUZZ_CHECK(rebuilt == text);
}

// The case commands on the bytes, and on the same text as a CodePageText changed in two pieces
// cut at `cut` (anywhere, even inside a word).
void check_case_commands(std::string_view text, std::size_t cut) {
  const auto converted = [&](bool (*change_case)(text::CodePageText&)) {
    text::CodePageText t{std::string(text), {}, {}};
    change_case(t);
    return t.text;
  };
  const std::string upper = converted(text::to_upper_case);
  const std::string lower = converted(text::to_lower_case);
  const std::string mixed = converted(text::to_mixed_case);
  FUZZ_CHECK(upper.size() == text.size());
  FUZZ_CHECK(lower.size() == text.size());
  FUZZ_CHECK(mixed.size() == text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    FUZZ_CHECK(static_cast<unsigned char>(upper[i]) == text::cp1252::to_upper(b));
    FUZZ_CHECK(static_cast<unsigned char>(lower[i]) == text::cp1252::to_lower(b));
    const auto previous = i == 0 ? 0 : static_cast<unsigned char>(text[i - 1]);
    const bool starts_word = i == 0 || !(text::cp1252::is_alpha(previous) || text::cp1252::is_digit(previous));
    FUZZ_CHECK(mixed[i] == (starts_word ? upper[i] : lower[i]));
  }

  const struct {
    text::CaseChange change;
    const std::string& expected;
  } commands[] = {{text::CaseChange::upper, upper}, {text::CaseChange::lower, lower}, {text::CaseChange::mixed, mixed}};
  for (const auto& command : commands) {
    text::CodePageText whole{std::string(text), {}, {}};
    FUZZ_CHECK(text::change_case(whole, command.change) == (command.expected != text));
    FUZZ_CHECK(whole.text == command.expected);

    text::CaseChanger changer(command.change);
    text::CodePageText first{std::string(text.substr(0, cut)), {}, {}};
    text::CodePageText second{std::string(text.substr(cut)), {}, {}};
    const bool changed_first = changer.apply(first);
    const bool changed_second = changer.apply(second);
    FUZZ_CHECK(first.text + second.text == command.expected);
    FUZZ_CHECK((changed_first || changed_second) == (command.expected != text));
  }
}

// Restoration of the whole text, and again in two pieces cut after the first separator at or
// past `cut`.
void check_restoration(std::string_view text, std::size_t cut) {
  const accents::AccentDictionary& dictionary = fuzz::sample_dictionary();
  const text::CodePageText before{std::string(text), {}, {}};
  text::CodePageText whole = before;
  accents::AccentCorrections corrections;
  accents::restore_accents(whole, dictionary, corrections);
  fuzz::check_restoration(before, whole, dictionary, corrections);

  while (cut < text.size() && !text::is_separator_byte(static_cast<unsigned char>(text[cut]))) ++cut;
  cut = std::min(cut + 1, text.size());
  text::CodePageText first{std::string(text.substr(0, cut)), {}, {}};
  text::CodePageText second{std::string(text.substr(cut)), {}, {}};
  accents::AccentCorrections in_pieces;
  accents::restore_accents(first, dictionary, in_pieces);
  accents::restore_accents(second, dictionary, in_pieces);
  FUZZ_CHECK(first.text + second.text == whole.text);
  FUZZ_CHECK(in_pieces.count == corrections.count);
  FUZZ_CHECK(in_pieces.list == corrections.list);
  const std::string report = accents::correction_report(corrections);
  FUZZ_CHECK(report.starts_with("Encontradas " + std::to_string(corrections.count) + " palabras "));
  FUZZ_CHECK(report.ends_with(corrections.list));
}

// The repetition report as its definition reads: each word token's occurrences counted by
// comparing it, in small letters and on its first 256 bytes, with every other word token.
std::string pairwise_repetition_report(std::string_view text) {
  std::size_t tokens = 0;
  std::vector<std::string_view> words;
  for (const std::string_view token : text::split_text(text)) {
    ++tokens;
    if (!text::is_separator(token)) words.push_back(token);
  }
  std::vector<std::string> folded;
  for (const std::string_view w : words) folded.push_back(text::to_lower_case(w.substr(0, 256)));
  const double threshold = 0.0041000000201165676116943359375 * static_cast<double>(tokens);
  std::vector<std::string_view> repeated;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!text::is_content_word(words[i].substr(0, 256))) continue;
    std::size_t n = 0;
    for (const std::string& other : folded) n += other == folded[i];
    if (n >= 2 && static_cast<double>(n) >= threshold) repeated.push_back(words[i].substr(0, 255));
  }
  if (repeated.empty()) return "No Repite palabras claramente ...";
  std::string report = "Este trozo de texto tiene " + std::to_string(repeated.size());
  report += " palabra(s) m\xE1s repetidas\r\n";
  for (std::size_t i = 0; i < repeated.size() && i < 1000; ++i) {
    if (i > 0) report += ',';
    report += repeated[i];
  }
  if (repeated.size() > 1000) report += ",...";
  return report;
}

void check_reports(std::string_view text) {
  const std::string repetition = text::word_repetition_report(text);
  // Pairwise counting is quadratic: small texts only.
  if (text.size() <= 1024) FUZZ_CHECK(repetition == pairwise_repetition_report(text));

  const std::int64_t characters = text::count_characters(text);
  const std::int64_t fragments = text::count_word_fragments(text);
  const std::int64_t consonants = text::count_consonants(text);
  const std::int64_t vowels = text::count_vowels(text);
  FUZZ_CHECK(characters == static_cast<std::int64_t>(text.size()));
  FUZZ_CHECK(vowels + consonants <= characters);
  std::int64_t word_tokens = 0;
  for (const std::string_view token : text::split_text(text)) word_tokens += !text::is_separator(token);
  FUZZ_CHECK(fragments <= word_tokens);
  const struct {
    std::string (*report)(std::string_view);
    std::int64_t count;
  } reports[] = {{text::characters_report, characters},
                 {text::word_fragments_report, fragments},
                 {text::consonants_report, consonants},
                 {text::vowels_report, vowels}};
  for (const auto& r : reports)
    FUZZ_CHECK(r.report(text).starts_with("Este trozo de texto tiene " + std::to_string(r.count) + " "));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto cut_at = input.ConsumeIntegral<std::uint16_t>();
  const std::string text = input.ConsumeRemainingBytesAsString();
  const std::size_t cut = cut_at % (text.size() + 1);

  check_tokens(text);
  check_case_commands(text, cut);
  check_restoration(text, cut);
  check_reports(text);
  return 0;
}
