#include "tools/dictionary_reduction.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <map>
#include <unordered_set>

#include "text/code_page_1252.h"
#include "text/marked_letters.h"

namespace tools {

namespace {

// The forms come in small letters; the accent of a capital is not counted.
bool is_small_acute(char c) {
  const auto b = static_cast<unsigned char>(c);
  return text::is_acute_vowel(b) && text::cp1252::to_lower(b) == b;
}

bool has_acute(std::string_view word) { return std::any_of(word.begin(), word.end(), is_small_acute); }

std::size_t accent_offset(std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i)
    if (is_small_acute(word[i])) return i;
  return std::string_view::npos;
}

}  // namespace

std::string one_accent_plain_form(std::string_view word) {
  std::string plain(word);
  int accents = 0;
  for (char& c : plain) {
    if (is_small_acute(c)) {
      c = static_cast<char>(text::without_acute(static_cast<unsigned char>(c)));
      ++accents;
    }
  }
  return accents == 1 ? plain : std::string{};
}

std::vector<std::string> keep_correctable_forms(const std::vector<std::string>& forms) {
  std::unordered_set<std::string> with_variant;
  for (const auto& f : forms)
    if (auto plain = one_accent_plain_form(f); !plain.empty()) with_variant.insert(std::move(plain));

  std::vector<std::string> kept;
  for (const auto& f : forms)
    if (has_acute(f) || with_variant.contains(f)) kept.push_back(f);
  std::sort(kept.begin(), kept.end());
  return kept;
}

WordFrequency::WordFrequency(std::unordered_map<std::string, std::uint64_t> counts, std::vector<WordRanks> rank_lists,
                             double rank_weight, double smoothing)
    : counts_(std::move(counts)), rank_lists_(std::move(rank_lists)), rank_weight_(rank_weight), smoothing_(smoothing) {
  std::uint64_t total = 0;
  for (const auto& [word, n] : counts_) total += n;
  if (total > 0) corpus_size_ = static_cast<double>(total);
  for (const auto& list : rank_lists_) {
    std::size_t longest = 1;
    for (const auto& [word, rank] : list) longest = std::max(longest, rank);
    harmonic_.push_back(std::log(static_cast<double>(longest)) + 0.5772);
  }
}

std::uint64_t WordFrequency::count(std::string_view word) const {
  const auto it = counts_.find(std::string(word));
  return it == counts_.end() ? 0 : it->second;
}

double WordFrequency::estimate(std::string_view word) const {
  double from_ranks = 0;
  const std::string key(word);
  for (std::size_t i = 0; i < rank_lists_.size(); ++i)
    if (const auto it = rank_lists_[i].find(key); it != rank_lists_[i].end())
      from_ranks += 1.0 / (static_cast<double>(it->second) * harmonic_[i]);
  if (!rank_lists_.empty()) from_ranks /= static_cast<double>(rank_lists_.size());
  return static_cast<double>(count(word)) + rank_weight_ * corpus_size_ * from_ranks + smoothing_;
}

FrequencyChoice choose_by_frequency(const std::vector<std::string>& forms, const WordFrequency& frequency,
                                    const ChoiceMargins& margins) {
  const std::unordered_set<std::string_view> present(forms.begin(), forms.end());
  // Plain word -> its variants; std::map keeps the walk below in a reproducible order.
  std::map<std::string, std::vector<std::string_view>> variants;
  for (const auto& f : forms)
    if (auto plain = one_accent_plain_form(f); !plain.empty()) variants[std::move(plain)].push_back(f);

  std::unordered_set<std::string_view> removed;
  FrequencyChoice result;
  for (auto& [plain, list] : variants) {
    std::sort(list.begin(), list.end(),
              [](std::string_view a, std::string_view b) { return accent_offset(a) < accent_offset(b); });

    std::string_view best = list.front();
    double best_frequency = frequency.estimate(best);
    for (std::string_view v : list) {
      const double f = frequency.estimate(v);
      if (f > best_frequency) best = v, best_frequency = f;
    }

    bool plain_present = present.contains(plain);
    if (!plain_present && frequency.count(plain) >= margins.min_count &&
        frequency.estimate(plain) >= margins.plain * best_frequency) {
      result.entries.push_back(plain);
      result.choices.emplace_back(plain, plain);
      ++result.plain_forms_added;
      continue;
    }

    const std::string_view given = plain_present ? std::string_view(plain) : list.front();
    if (given == best || best_frequency <= 0) continue;
    // Ratios of ranks are exact numbers; the tolerance keeps a ratio of exactly the margin a win.
    if (best_frequency < margins.variant * frequency.estimate(given) * (1 - 1e-9)) continue;

    if (plain_present) {
      removed.insert(*present.find(plain));
      ++result.plain_forms_removed;
    }
    for (std::string_view v : list) {
      if (v == best) break;
      removed.insert(v);
      ++result.variants_removed;
    }
    result.choices.emplace_back(plain, std::string(best));
  }

  for (const auto& f : forms)
    if (!removed.contains(f)) result.entries.push_back(f);
  std::sort(result.entries.begin(), result.entries.end());
  return result;
}

std::vector<std::string> attested_accented_forms(
    const std::unordered_map<std::string, std::vector<std::uint32_t>>& counts_by_source,
    const std::vector<std::string>& forms, std::uint64_t min_count, std::size_t min_sources) {
  // Plain word -> occurrences of all its one-accent spellings.
  std::unordered_map<std::string, std::uint64_t> accented_total;
  const auto total_of = [](const std::vector<std::uint32_t>& counts) {
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
  };
  for (const auto& [word, counts] : counts_by_source)
    if (auto plain = one_accent_plain_form(word); !plain.empty()) accented_total[plain] += total_of(counts);

  const std::unordered_set<std::string_view> known(forms.begin(), forms.end());
  std::vector<std::string> added;
  for (const auto& [word, counts] : counts_by_source) {
    const auto plain = one_accent_plain_form(word);
    if (plain.empty() || known.contains(word)) continue;
    const std::uint64_t total = total_of(counts);
    const auto sources =
        static_cast<std::size_t>(std::count_if(counts.begin(), counts.end(), [](std::uint32_t c) { return c > 0; }));
    const std::uint64_t others = accented_total[plain] - total;
    if (total >= min_count && sources >= min_sources && others * 20 < total) added.push_back(word);
  }
  std::sort(added.begin(), added.end());
  return added;
}

}  // namespace tools
