#pragma once

#include <cstddef>
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

struct FrequencyChoice {
  std::vector<std::string> entries;  // sorted by bytes
  // (plain word, variant that restoration now gives for it), in the order of the plain words.
  std::vector<std::pair<std::string, std::string>> choices;
  std::size_t plain_forms_removed = 0;
  std::size_t variants_removed = 0;
};

// For each plain word with one-accent variants, restoration gives the plain word itself when
// it is a form, else the leftmost variant. When another variant is clearly commoner, at least
// `margin` times by rank, or the word restoration gives has no known rank while that variant
// has one, the plain word and the variants to the left of that variant are left out, so that
// the leftmost rule lands on it. Otherwise nothing changes: close calls keep the plain word.
FrequencyChoice choose_by_frequency(const std::vector<std::string>& forms, const WordRanks& ranks,
                                    double margin);

}  // namespace tools
