#pragma once

#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/context_counts.h"

// A discriminative choice between the spellings of each plain word of the context counts: a
// logistic regression (softmax) over its spellings, with the features the counts hold, trained
// on every place the corpus writes one of those spellings. Unlike the counts' naive Bayes, it
// learns how much each feature adds to what the others already say: the word before counts once,
// not twice when the pair before it is known too. A tab-separated UTF-8 table: a header line,
// then, per spelling, its bias ("*") and its weight for each feature, in the counts' layout
// (tools/context_counts.h), with a weight in natural-log units in place of the count.

namespace tools {

struct ContextWeightGroup {
  std::vector<std::string> spellings;  // those of the counts, code page 1252, sorted
  std::vector<double> biases;
  std::map<ContextGroup::Feature, std::vector<double>> weights;  // one per spelling
};

// Plain word -> its weights.
using ContextWeights = std::map<std::string, ContextWeightGroup>;

struct ContextTraining {
  int epochs = 8;
  double rate = 0.2;  // of AdaGrad
  double l2 = 1e-3;   // pulls every weight toward 0, per place seen
};

// The weights of the words of `counts` that have two spellings or more, trained on `lines` (code
// page 1252, one paragraph each), in the order they come: the same lines always give the same
// weights.
ContextWeights train_context_weights(const std::vector<std::string>& lines, const ContextCounts& counts,
                                     const ContextTraining& training);

void write_context_weights(std::ostream& out, const ContextWeights& weights);
// None, and `error` says why, when the table is malformed.
std::optional<ContextWeights> read_context_weights(std::istream& in, std::string& error);

}  // namespace tools
