#include "tools/dictionary_reduction.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace tools {

namespace {

char plain_vowel(unsigned char b) {
  switch (b) {
    case 0xE1: return 'a';
    case 0xE9: return 'e';
    case 0xED: return 'i';
    case 0xF3: return 'o';
    case 0xFA: return 'u';
    default: return 0;
  }
}

bool has_acute(std::string_view word) {
  return std::any_of(word.begin(), word.end(), [](char c) { return plain_vowel(static_cast<unsigned char>(c)) != 0; });
}

std::size_t accent_offset(std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i)
    if (plain_vowel(static_cast<unsigned char>(word[i])) != 0) return i;
  return std::string_view::npos;
}

}  // namespace

std::string one_accent_plain_form(std::string_view word) {
  std::string plain(word);
  int accents = 0;
  for (char& c : plain) {
    if (const char v = plain_vowel(static_cast<unsigned char>(c))) {
      c = v;
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

FrequencyChoice choose_by_frequency(const std::vector<std::string>& forms, const WordRanks& ranks,
                                    double margin) {
  const std::unordered_set<std::string_view> present(forms.begin(), forms.end());
  // Plain word -> its variants; std::map keeps the walk below in a reproducible order.
  std::map<std::string, std::vector<std::string_view>> variants;
  for (const auto& f : forms)
    if (auto plain = one_accent_plain_form(f); !plain.empty()) variants[std::move(plain)].push_back(f);

  const auto rank_of = [&](std::string_view w) -> std::size_t {
    const auto it = ranks.find(std::string(w));
    return it == ranks.end() ? 0 : it->second;
  };

  std::unordered_set<std::string_view> removed;
  FrequencyChoice result;
  for (auto& [plain, list] : variants) {
    std::sort(list.begin(), list.end(), [](std::string_view a, std::string_view b) { return accent_offset(a) < accent_offset(b); });

    std::string_view best;
    std::size_t best_rank = 0;
    for (std::string_view v : list) {
      const std::size_t r = rank_of(v);
      if (r != 0 && (best_rank == 0 || r < best_rank)) best = v, best_rank = r;
    }
    if (best_rank == 0) continue;

    const bool plain_present = present.contains(plain);
    const std::string_view given = plain_present ? std::string_view(plain) : list.front();
    if (given == best) continue;
    const std::size_t given_rank = rank_of(given);
    if (given_rank != 0 && static_cast<double>(given_rank) < margin * static_cast<double>(best_rank)) continue;

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

}  // namespace tools
