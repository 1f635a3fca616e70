#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// Choosing the entries of an accent dictionary from a full list of word forms. Restoration
// leaves a word that is in the dictionary alone and otherwise takes the leftmost one-accent
// variant the dictionary knows, so which entries are present decides every result. The words
// here are distinct, in small letters, in code page 1252.

namespace tools {

// The word without its acute accent when it carries exactly one (á é í ó ú), else empty.
std::string one_accent_plain_form(std::string_view word);

// Every form that carries an acute accent, and every plain form that has a one-accent variant
// among the forms. A plain word without a variant can never be corrected, so leaving it out
// changes no result. Sorted by bytes.
std::vector<std::string> keep_correctable_forms(const std::vector<std::string>& forms);

// Frequency ranks of words: 1 for the commonest. A word missing from the map is rarer than any
// word in it.
using WordRanks = std::unordered_map<std::string, std::size_t>;

// How common a word is in written text, in occurrences of a corpus: its count there, plus
// what ranked word lists say of it (Zipf's law: frequency about proportional to 1/rank,
// scaled to the corpus size and weighted by `rank_weight`), plus `smoothing`, which keeps a
// single occurrence from deciding alone. Without a corpus, the ranks alone decide.
class WordFrequency {
 public:
  WordFrequency(std::unordered_map<std::string, std::uint64_t> counts, std::vector<WordRanks> rank_lists,
                double rank_weight, double smoothing);

  double estimate(std::string_view word) const;
  std::uint64_t count(std::string_view word) const;

 private:
  std::unordered_map<std::string, std::uint64_t> counts_;
  std::vector<WordRanks> rank_lists_;
  std::vector<double> harmonic_;  // of each list's length: the Zipf normaliser
  double corpus_size_ = 1;
  double rank_weight_, smoothing_;
};

struct ChoiceMargins {
  // An accented variant replaces the plain word when it is at least this many times commoner.
  double variant = 5.0;
  // A plain word that is no form of the word list is added as it is (so restoration leaves it
  // alone) when the corpus holds it `min_count` times or more and it is this many times
  // commoner than every variant: foreign words, names, abbreviations.
  double plain = 5.0;
  std::uint64_t min_count = 3;
};

struct FrequencyChoice {
  std::vector<std::string> entries;  // sorted by bytes
  // (plain word, what restoration now gives for it), in the order of the plain words: an
  // accented variant, or the plain word itself when it was added.
  std::vector<std::pair<std::string, std::string>> choices;
  std::size_t plain_forms_removed = 0;
  std::size_t variants_removed = 0;
  std::size_t plain_forms_added = 0;
};

// For each plain word with one-accent variants, restoration gives the plain word itself when
// it is an entry, else the leftmost variant. When another variant is clearly commoner, the
// plain word and the variants to the left of that variant are left out, so that the leftmost
// rule lands on it; close calls keep the plain word. A plain word that is not among the forms
// but that the corpus shows far more often than any variant is added.
FrequencyChoice choose_by_frequency(const std::vector<std::string>& forms, const WordFrequency& frequency,
                                    const ChoiceMargins& margins);

// Word forms the corpus attests but the word list lacks: one acute accent, at least
// `min_count` occurrences in at least `min_sources` sources, and (nearly) always written with
// this accent: the other one-accent spellings of the same plain word together occur less than
// a twentieth as often. Sorted by bytes.
std::vector<std::string> attested_accented_forms(
    const std::unordered_map<std::string, std::vector<std::uint32_t>>& counts_by_source,
    const std::vector<std::string>& forms, std::uint64_t min_count, std::size_t min_sources);

}  // namespace tools
