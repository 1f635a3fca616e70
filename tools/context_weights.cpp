#include "tools/context_weights.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>

#include "text/case_conversion.h"
#include "tools/utf8_cp1252.h"
#include "tools/word_counts.h"

namespace tools {

namespace {

// One place a spelling is written: its number and its features' numbers in the group.
struct Place {
  std::size_t spelling;
  std::vector<std::uint32_t> features;
};

// Softmax regression with AdaGrad steps, one place at a time in the text's order.
void train_group(ContextWeightGroup& group, const std::vector<Place>& places,
                 const std::vector<const ContextGroup::Feature*>& features, const ContextTraining& training) {
  const std::size_t k = group.spellings.size();
  std::vector<double> bias(k, 0.0), bias_squares(k, 1e-8);
  std::vector<double> weight(features.size() * k, 0.0), weight_squares(features.size() * k, 1e-8);
  std::vector<double> scores(k);
  for (int epoch = 0; epoch < training.epochs; ++epoch) {
    for (const Place& place : places) {
      for (std::size_t c = 0; c < k; ++c) {
        scores[c] = bias[c];
        for (const std::uint32_t f : place.features) scores[c] += weight[f * k + c];
      }
      const double top = *std::max_element(scores.begin(), scores.end());
      double sum = 0;
      for (double& s : scores) sum += s = std::exp(s - top);
      for (std::size_t c = 0; c < k; ++c) {
        const double gradient = scores[c] / sum - (c == place.spelling ? 1.0 : 0.0);
        bias_squares[c] += gradient * gradient;
        bias[c] -= training.rate * gradient / std::sqrt(bias_squares[c]);
        for (const std::uint32_t f : place.features) {
          double& w = weight[f * k + c];
          const double g = gradient + training.l2 * w;
          weight_squares[f * k + c] += g * g;
          w -= training.rate * g / std::sqrt(weight_squares[f * k + c]);
        }
      }
    }
  }
  group.biases = bias;
  for (std::size_t f = 0; f < features.size(); ++f)
    group.weights[*features[f]] = std::vector<double>(weight.begin() + f * k, weight.begin() + (f + 1) * k);
}

}  // namespace

ContextWeights train_context_weights(const std::vector<std::string>& lines, const ContextCounts& counts,
                                     const ContextTraining& training) {
  struct Group {
    std::vector<Place> places;
    std::vector<const ContextGroup::Feature*> features;
    std::unordered_map<const ContextGroup::Feature*, std::uint32_t> numbers;
  };
  std::map<std::string, Group> groups;
  for_each_counted_context(
      lines, counts,
      [&](const std::string& plain, std::size_t spelling, const std::vector<const ContextGroup::Feature*>& features) {
        if (counts.at(plain).spellings.size() < 2) return;
        Group& group = groups[plain];
        Place place{spelling, {}};
        for (const ContextGroup::Feature* feature : features) {
          const auto [at, added] = group.numbers.emplace(feature, static_cast<std::uint32_t>(group.features.size()));
          if (added) group.features.push_back(feature);
          place.features.push_back(at->second);
        }
        group.places.push_back(std::move(place));
      });
  ContextWeights weights;
  for (auto& [plain, group] : groups) {
    // Features in the counts' order, so that the weights do not depend on the order first seen.
    std::vector<const ContextGroup::Feature*> sorted = group.features;
    std::sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) { return *a < *b; });
    std::unordered_map<const ContextGroup::Feature*, std::uint32_t> renumbered;
    for (std::uint32_t f = 0; f < sorted.size(); ++f) renumbered[sorted[f]] = f;
    for (Place& place : group.places)
      for (std::uint32_t& f : place.features) f = renumbered.at(group.features[f]);
    ContextWeightGroup& weight_group = weights[plain];
    weight_group.spellings = counts.at(plain).spellings;
    train_group(weight_group, group.places, sorted, training);
  }
  return weights;
}

void write_context_weights(std::ostream& out, const ContextWeights& weights) {
  out << "spelling\tfeature\tfirst\tsecond\tweight\n";
  char number[32];
  const auto put = [&](double w) {
    const auto end = std::to_chars(number, number + sizeof number, w, std::chars_format::general, 5).ptr;
    out.write(number, end - number);
  };
  for (const auto& [plain, group] : weights) {
    for (std::size_t s = 0; s < group.spellings.size(); ++s) {
      const std::string spelling = cp1252_to_utf8(group.spellings[s]);
      out << spelling << "\t*\t\t\t";
      put(group.biases[s]);
      out << '\n';
      for (const auto& [feature, feature_weights] : group.weights) {
        // Below the model file's resolution: the file keeps weights in 1/1024ths.
        if (std::abs(feature_weights[s]) < 0.5 / accents::context_file::weight_scale) continue;
        out << spelling << '\t' << context_feature_name(feature.kind) << '\t' << cp1252_to_utf8(feature.first) << '\t'
            << cp1252_to_utf8(feature.second) << '\t';
        put(feature_weights[s]);
        out << '\n';
      }
    }
  }
}

std::optional<ContextWeights> read_context_weights(std::istream& in, std::string& error) {
  std::string line;
  if (!std::getline(in, line) || line != "spelling\tfeature\tfirst\tsecond\tweight") {
    error = "no header line";
    return std::nullopt;
  }
  ContextWeights weights;
  std::size_t line_number = 1;
  while (std::getline(in, line)) {
    ++line_number;
    const auto fail = [&](std::string_view why) {
      error = "line " + std::to_string(line_number) + ": " + std::string(why);
      return std::nullopt;
    };
    const auto fields = split_tabs(line);
    if (fields.size() != 5) return fail("not five fields");
    const auto spelling = utf8_to_cp1252(fields[0]);
    const auto first = utf8_to_cp1252(fields[2]);
    const auto second = utf8_to_cp1252(fields[3]);
    if (!spelling || !first || !second) return fail("not UTF-8 that code page 1252 can spell");
    if (spelling->empty() || spelling->size() > accents::context_token_limit ||
        text::to_lower_case(*spelling) != *spelling)
      return fail("not a spelling in small letters");
    double value = 0;
    const auto [end, problem] = std::from_chars(fields[4].data(), fields[4].data() + fields[4].size(), value);
    if (problem != std::errc{} || end != fields[4].data() + fields[4].size() || !std::isfinite(value))
      return fail("the weight is no number");
    ContextWeightGroup& group = weights[accents::word_token(*spelling)];
    if (fields[1] == "*") {
      if (!first->empty() || !second->empty()) return fail("a bias has tokens");
      if (!group.spellings.empty() && group.spellings.back() >= *spelling)
        return fail("spellings out of order or repeated");
      if (group.spellings.size() == accents::context_file::max_candidates) return fail("too many spellings");
      group.spellings.push_back(*spelling);
      group.biases.push_back(value);
      for (auto& [feature, feature_weights] : group.weights) feature_weights.push_back(0);
      continue;
    }
    const auto kind = context_feature_named(fields[1]);
    if (!kind) return fail("unknown feature");
    if (group.spellings.empty() || group.spellings.back() != *spelling)
      return fail("a weight before its spelling's bias");
    auto& feature_weights = group.weights[{*kind, *first, *second}];
    feature_weights.resize(group.spellings.size());
    if (feature_weights.back() != 0) return fail("a weight given twice");
    feature_weights.back() = value;
  }
  if (in.bad()) {
    error = "cannot be read";
    return std::nullopt;
  }
  return weights;
}

}  // namespace tools
