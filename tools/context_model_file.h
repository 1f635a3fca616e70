#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "accents/context_model.h"
#include "tools/context_counts.h"

// Making the context model's file from the counts (accents/context_model.h reads it).

namespace tools {

struct ContextModelSettings {
  // Added to every count: an unseen spelling next to a token is not impossible.
  double smoothing = 0.5;
  // How much more likely (natural log) another spelling must be than the dictionary's: one
  // with an accent, and the plain word.
  double accent_threshold = 4.0, plain_threshold = 4.0;
  // The same for a spelling with ñ or ü, when it differs from the accent's (none: the same). The
  // file keeps two thresholds only: the difference goes into those spellings' prior.
  std::optional<double> mark_threshold;
  // How much less likely (natural log) than the likeliest other spelling a plain word is that
  // the text never writes beside its spellings with ñ or ü ("ano" beside "año").
  double unwritten_gap = 0.0;
  std::vector<accents::ContextFeature> features{accents::context_features.begin(), accents::context_features.end()};
};

// A word that is a word only with ñ or ü: its letters without them, in small letters, and the
// letters that take them (bit i for letter i).
struct MarkSpelling {
  std::string plain;
  std::uint32_t mask = 0;
  friend bool operator==(const MarkSpelling&, const MarkSpelling&) = default;
};

// Of the words with ñ or ü in `spellings` (small letters, code page 1252), those that a writer
// without those keys cannot mean otherwise: their plain letters, with or without one acute
// accent, make no word of `forms`, and no other word of `spellings` has the same plain letters.
// `written` says how often a word is written in correct running text: a word is kept only when
// its plain letters are written no more often than it (so "name", English and common, does not
// become "ñame"). In order of the plain letters.
std::vector<MarkSpelling> mark_spellings(const std::unordered_set<std::string>& spellings,
                                         const std::unordered_set<std::string>& forms,
                                         const std::function<std::uint64_t(const std::string&)>& written);

// The file's bytes; the same counts, settings and words always give the same bytes. Throws
// std::runtime_error when two features share a key.
std::string make_context_model(const ContextCounts& counts, const ContextModelSettings& settings,
                               const std::vector<MarkSpelling>& marks = {});

}  // namespace tools
