#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "accents/context_model.h"

// How often each spelling of an ambiguous word is written next to each token, in correctly
// accented running text: what the context model is made from. A tab-separated UTF-8 table (see
// docs/context.md): a header line, then one line per spelling and feature,
//
//   spelling  feature  first  second  count
//
// where the feature is "*" (the spelling's own count; no tokens), "-1" or "+1" (the token
// before or after it), "-2" or "+2" (the two tokens before or after it, farther one first for
// "-2", nearer one first for "+2"), "-1e" or "+1e" (the last letters of the word before or after
// it, counted only where the table holds no count of that word itself beside the spelling's
// word). An empty token is a boundary.

namespace tools {

struct ContextGroup {
  // The spellings of one plain word: its letters with at most one acute accent and any ñ and ü,
  // in small letters, code page 1252; sorted by their bytes.
  std::vector<std::string> spellings;
  std::vector<std::uint64_t> totals;  // how often each spelling is written
  struct Feature {
    accents::ContextFeature kind;
    std::string first, second;
    friend auto operator<=>(const Feature&, const Feature&) = default;
  };
  std::map<Feature, std::vector<std::uint64_t>> features;  // counts, one per spelling
};

// Plain word (small letters, no marks) -> its group.
using ContextCounts = std::map<std::string, ContextGroup>;

struct ContextCounting {
  // A spelling written fewer times does not count as one; a plain word needs two spellings.
  std::uint64_t min_count = 2;
  // A feature seen fewer times with all the spellings of its word together is left out.
  std::uint64_t min_feature = 2;
  // When given: a word written only with ñ or ü ("año") is counted alone too when its plain
  // letters make a word of their own ("ano"), so that the model can tell them apart.
  std::function<bool(const std::string&)> plain_is_word;
};

// The counts of text `lines` (code page 1252, one paragraph each).
ContextCounts count_contexts(const std::vector<std::string>& lines, const ContextCounting& settings);

// Adds the plain word, written 0 times, to each group of spellings with ñ or ü that lacks it
// where `is_word` says it is a word.
void add_plain_spellings(ContextCounts& counts, const std::function<bool(const std::string&)>& is_word);

// Leaves out the spellings `keep` says no to, with their counts, and then the words left with
// a single spelling.
void keep_spellings(ContextCounts& counts, const std::function<bool(const std::string&)>& keep);

// The feature of a name of the table ("-1", "+1e"), or none.
std::optional<accents::ContextFeature> context_feature_named(std::string_view name);

void write_context_counts(std::ostream& out, const ContextCounts& counts);
// None, and `error` says why, when the table is malformed.
std::optional<ContextCounts> read_context_counts(std::istream& in, std::string& error);

}  // namespace tools
