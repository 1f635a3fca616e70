#include "tools/context_model_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <stdexcept>

#include "text/marked_letters.h"

namespace tools {

namespace {

namespace f = accents::context_file;

void put_u8(std::string& out, std::uint8_t v) { out += static_cast<char>(v); }
void put_u16(std::string& out, std::uint16_t v) {
  put_u8(out, static_cast<std::uint8_t>(v));
  put_u8(out, static_cast<std::uint8_t>(v >> 8));
}
void put_u32(std::string& out, std::uint32_t v) {
  put_u16(out, static_cast<std::uint16_t>(v));
  put_u16(out, static_cast<std::uint16_t>(v >> 16));
}
void put_u64(std::string& out, std::uint64_t v) {
  put_u32(out, static_cast<std::uint32_t>(v));
  put_u32(out, static_cast<std::uint32_t>(v >> 32));
}

std::int16_t weight(double log_value) {
  const double scaled = std::round(log_value * f::weight_scale);
  return static_cast<std::int16_t>(std::clamp(scaled, double{std::numeric_limits<std::int16_t>::min()},
                                              double{std::numeric_limits<std::int16_t>::max()}));
}

}  // namespace

std::vector<MarkSpelling> mark_spellings(const std::unordered_set<std::string>& spellings,
                                         const std::unordered_set<std::string>& forms,
                                         const std::function<std::uint64_t(const std::string&)>& written) {
  // plain letters -> the words' masks, and the most any of them is written
  std::map<std::string, std::pair<std::vector<std::uint32_t>, std::uint64_t>> masks;
  for (const std::string& form : spellings) {
    if (form.size() > f::max_mark_length) continue;
    std::string plain;
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < form.size(); ++i) {
      const auto b = static_cast<unsigned char>(form[i]);
      if (b == 0xF1 || b == 0xFC) mask |= std::uint32_t{1} << i;  // ñ ü
      plain += static_cast<char>(text::without_mark(b));
    }
    if (mask == 0) continue;
    auto& [word_masks, most_written] = masks[plain];
    word_masks.push_back(mask);
    most_written = std::max(most_written, written(form));
  }
  const auto is_plain_word = [&forms](std::string word) {
    if (forms.contains(word)) return true;
    for (char& c : word) {
      const char plain = c;
      if (const unsigned char acute = text::acute_of(static_cast<unsigned char>(c)); acute != 0) {
        c = static_cast<char>(acute);
        if (forms.contains(word)) return true;
        c = plain;
      }
    }
    return false;
  };
  std::vector<MarkSpelling> marked;
  for (auto& [plain, entry] : masks) {
    auto& [word_masks, most_written] = entry;
    std::sort(word_masks.begin(), word_masks.end());
    word_masks.erase(std::unique(word_masks.begin(), word_masks.end()), word_masks.end());
    if (word_masks.size() == 1 && !is_plain_word(plain) && written(plain) <= most_written)
      marked.push_back({plain, word_masks.front()});
  }
  return marked;
}

std::string make_context_model(const ContextCounts& counts, const ContextModelSettings& settings,
                               const std::vector<MarkSpelling>& marks) {
  const double a = settings.smoothing;
  std::uint32_t feature_mask = 0;
  for (const auto feature : settings.features) feature_mask |= f::feature_bit(feature);

  std::string forms, candidates, strings;
  std::vector<std::int16_t> weights;
  // Key -> first weight, in key order, so that the table's layout depends only on the keys.
  std::map<std::uint64_t, std::uint32_t> keyed;
  std::uint32_t form_number = 0, candidate_count = 0;
  for (const auto& [plain, group] : counts) {
    const std::size_t k = group.spellings.size();
    put_u32(forms, static_cast<std::uint32_t>(strings.size()));
    put_u32(forms, candidate_count);
    put_u8(forms, static_cast<std::uint8_t>(plain.size()));
    put_u8(forms, static_cast<std::uint8_t>(k));
    put_u16(forms, 0);
    strings += plain;
    double total = 0;
    for (const auto n : group.totals) total += static_cast<double>(n);
    // A spelling never written (a plain word added beside its spellings with ñ or ü, "ano" beside
    // "año") has no counts to learn from: it is `unwritten_gap` less likely than the likeliest
    // other spelling, and every context equally likely with it. Only a context typical of the
    // other spelling then speaks against it.
    std::vector<double> priors(k);
    for (std::size_t s = 0; s < k; ++s)
      priors[s] = std::log((static_cast<double>(group.totals[s]) + a) / (total + static_cast<double>(k) * a));
    const double likeliest = *std::max_element(priors.begin(), priors.end());
    const double mark_bonus = settings.accent_threshold - settings.mark_threshold.value_or(settings.accent_threshold);
    for (std::size_t s = 0; s < k; ++s) {
      const std::string& spelling = group.spellings[s];
      const bool has_mark = spelling.find_first_of("\xF1\xFC") != std::string::npos;
      const double prior = group.totals[s] == 0 ? likeliest - settings.unwritten_gap : priors[s];
      put_u32(candidates, static_cast<std::uint32_t>(strings.size()));
      put_u16(candidates, static_cast<std::uint16_t>(weight(prior + (has_mark ? mark_bonus : 0.0))));
      put_u16(candidates, 0);
      strings += group.spellings[s];
    }
    candidate_count += static_cast<std::uint32_t>(k);

    // How many different values each feature takes with this word: the smoothing spreads over them.
    std::map<accents::ContextFeature, double> values;
    for (const auto& [feature, feature_counts] : group.features) ++values[feature.kind];
    for (const auto& [feature, feature_counts] : group.features) {
      if (!(feature_mask & f::feature_bit(feature.kind))) continue;
      const std::uint64_t key = accents::feature_key(form_number, feature.kind, accents::token_hash(feature.first),
                                                     accents::token_hash(feature.second));
      if (!keyed.emplace(key, static_cast<std::uint32_t>(weights.size())).second)
        throw std::runtime_error("two features share the key " + std::to_string(key));
      for (std::size_t s = 0; s < k; ++s)
        weights.push_back(weight(
            group.totals[s] == 0 ? -std::log(values[feature.kind] + 1)
                                 : std::log((static_cast<double>(feature_counts[s]) + a) /
                                            (static_cast<double>(group.totals[s]) + a * (values[feature.kind] + 1)))));
    }
    ++form_number;
  }

  // Open addressing, linear probing, at most three quarters full.
  const std::size_t slot_count = std::bit_ceil(std::max<std::size_t>(keyed.size() + keyed.size() / 3, 1));
  std::vector<std::pair<std::uint64_t, std::uint32_t>> slots(slot_count);
  std::size_t max_distance = 0;
  for (const auto& [key, first_weight] : keyed) {
    std::size_t s = key & (slot_count - 1), distance = 0;
    while (slots[s].first != 0) s = (s + 1) & (slot_count - 1), ++distance;
    slots[s] = {key, first_weight};
    max_distance = std::max(max_distance, distance);
  }
  if (max_distance > f::max_distance) throw std::runtime_error("a feature lies too far from its slot");

  std::string file(f::magic);
  put_u32(file, feature_mask);
  for (const double threshold : {settings.accent_threshold, settings.plain_threshold})
    put_u32(file, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(threshold * f::weight_scale))));
  put_u32(file, form_number);
  put_u32(file, candidate_count);
  put_u32(file, static_cast<std::uint32_t>(strings.size()));
  put_u32(file, static_cast<std::uint32_t>(slot_count));
  put_u32(file, static_cast<std::uint32_t>(weights.size()));
  put_u32(file, static_cast<std::uint32_t>(max_distance));
  std::string mark_records, mark_text;
  for (const MarkSpelling& m : marks) {
    put_u32(mark_records, static_cast<std::uint32_t>(mark_text.size()));
    put_u32(mark_records, m.mask);
    put_u8(mark_records, static_cast<std::uint8_t>(m.plain.size()));
    put_u8(mark_records, 0);
    put_u16(mark_records, 0);
    mark_text += m.plain;
  }
  put_u32(file, static_cast<std::uint32_t>(marks.size()));
  put_u32(file, static_cast<std::uint32_t>(mark_text.size()));
  file += forms;
  file += candidates;
  file += strings;
  for (const auto& [key, first_weight] : slots) {
    put_u64(file, key);
    put_u32(file, key == 0 ? 0 : first_weight);
  }
  for (const std::int16_t w : weights) put_u16(file, static_cast<std::uint16_t>(w));
  file += mark_records;
  file += mark_text;
  return file;
}

}  // namespace tools
