#pragma once

#include <string>
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
  std::vector<accents::ContextFeature> features{accents::context_features.begin(), accents::context_features.end()};
};

// The file's bytes; the same counts and settings always give the same bytes. Throws
// std::runtime_error when two features share a key.
std::string make_context_model(const ContextCounts& counts, const ContextModelSettings& settings);

}  // namespace tools
