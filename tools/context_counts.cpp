#include "tools/context_counts.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "text/case_conversion.h"
#include "text/marked_letters.h"
#include "text/tokens.h"
#include "tools/utf8_cp1252.h"
#include "tools/word_counts.h"

namespace tools {

namespace {

using accents::ContextFeature;

// A plain word, or a plain word with one acute accent: the spellings restoration can give.
bool has_at_most_one_accent(std::string_view spelling) {
  int accents = 0;
  for (const char c : spelling) accents += text::is_acute_vowel(static_cast<unsigned char>(c));
  return accents <= 1;
}

bool has_tilde_or_diaeresis(std::string_view spelling) {
  return std::any_of(spelling.begin(), spelling.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return text::without_mark(b) != text::without_acute(b);
  });
}

std::string_view feature_name(ContextFeature feature) {
  switch (feature) {
    case ContextFeature::one_before: return "-1";
    case ContextFeature::one_after: return "+1";
    case ContextFeature::two_before: return "-2";
    case ContextFeature::two_after: return "+2";
    case ContextFeature::ending_before: return "-1e";
    case ContextFeature::ending_after: return "+1e";
  }
  return {};
}

template <typename F>
void for_each_lower_word(const std::string& line, std::string& lower, F f) {
  text::for_each_word(line, [&](std::size_t offset, std::size_t size) {
    if (size > accents::context_token_limit) return;
    lower.assign(line, offset, size);
    text::lower_case_in_place(lower.data(), lower.size());
    f(offset, size, lower);
  });
}

}  // namespace

ContextCounts count_contexts(const std::vector<std::string>& lines, const ContextCounting& settings) {
  // The spellings written often enough, grouped by plain word.
  std::unordered_map<std::string, std::uint64_t> written;
  std::string lower;
  for (const std::string& line : lines)
    for_each_lower_word(line, lower, [&](std::size_t, std::size_t, const std::string& word) { ++written[word]; });
  std::map<std::string, std::map<std::string, std::uint64_t>> spellings;
  for (const auto& [word, count] : written)
    if (count >= settings.min_count && has_at_most_one_accent(word))
      spellings[accents::word_token(word)].emplace(word, count);

  ContextCounts counts;
  // Spelling -> its group and its number there.
  std::unordered_map<std::string, std::pair<ContextGroup*, std::size_t>> spelling_groups;
  for (const auto& [plain, group_spellings] : spellings) {
    if (group_spellings.size() > accents::context_file::max_candidates) continue;
    if (group_spellings.size() == 1 && (!settings.plain_is_word || !settings.plain_is_word(plain) ||
                                        !has_tilde_or_diaeresis(group_spellings.begin()->first)))
      continue;
    ContextGroup& group = counts[plain];
    for (const auto& [spelling, count] : group_spellings) {
      spelling_groups.emplace(spelling, std::pair{&group, group.spellings.size()});
      group.spellings.push_back(spelling);
      group.totals.push_back(count);
    }
  }

  // The words' own features first; then the endings of the neighbours that those left out, as
  // the model reads an ending only where it holds nothing of the word itself.
  accents::ContextReader reader;
  const auto count_features = [&](bool endings) {
    for (const std::string& line : lines) {
      for_each_lower_word(line, lower, [&](std::size_t offset, std::size_t size, const std::string& word) {
        const auto found = spelling_groups.find(word);
        if (found == spelling_groups.end()) return;
        auto& [group, number] = found->second;
        const accents::WordContext& context = reader.around(line, offset, size);
        for (const ContextFeature feature : accents::context_features) {
          const std::optional<ContextFeature> whole = accents::whole_word_of(feature);
          if (whole.has_value() != endings) continue;
          const auto tokens = accents::feature_tokens(context, feature);
          if (whole &&
              (tokens.first.empty() ||
               group->features.contains({*whole, std::string(accents::feature_tokens(context, *whole).first), ""})))
            continue;
          auto& feature_counts = group->features[{feature, std::string(tokens.first), std::string(tokens.second)}];
          feature_counts.resize(group->spellings.size());
          ++feature_counts[number];
        }
      });
    }
    for (auto& [plain, group] : counts) {
      std::erase_if(group.features, [&](const auto& feature) {
        std::uint64_t total = 0;
        for (const std::uint64_t n : feature.second) total += n;
        return total < settings.min_feature;
      });
    }
  };
  count_features(false);
  count_features(true);
  return counts;
}

void keep_spellings(ContextCounts& counts, const std::function<bool(const std::string&)>& keep) {
  for (auto& [plain, group] : counts) {
    std::vector<std::size_t> kept;
    for (std::size_t s = 0; s < group.spellings.size(); ++s)
      if (keep(group.spellings[s])) kept.push_back(s);
    if (kept.size() == group.spellings.size()) continue;
    const auto select = [&kept](auto& values) {
      std::remove_reference_t<decltype(values)> selected;
      for (const std::size_t s : kept) selected.push_back(values[s]);
      values = std::move(selected);
    };
    select(group.spellings);
    select(group.totals);
    for (auto& [feature, feature_counts] : group.features) select(feature_counts);
    std::erase_if(group.features, [](const auto& feature) {
      for (const std::uint64_t n : feature.second)
        if (n) return false;
      return true;
    });
  }
  std::erase_if(counts, [](const auto& entry) { return entry.second.spellings.size() < 2; });
}

void add_plain_spellings(ContextCounts& counts, const std::function<bool(const std::string&)>& is_word) {
  for (auto& [plain, group] : counts) {
    const auto at = std::lower_bound(group.spellings.begin(), group.spellings.end(), plain);
    if ((at != group.spellings.end() && *at == plain) ||
        group.spellings.size() == accents::context_file::max_candidates || !is_word(plain))
      continue;
    if (!std::any_of(group.spellings.begin(), group.spellings.end(),
                     [](const std::string& spelling) { return has_tilde_or_diaeresis(spelling); }))
      continue;
    const auto index = at - group.spellings.begin();
    group.spellings.insert(at, plain);
    group.totals.insert(group.totals.begin() + index, 0);
    for (auto& [feature, feature_counts] : group.features) feature_counts.insert(feature_counts.begin() + index, 0);
  }
}

std::optional<ContextFeature> context_feature_named(std::string_view name) {
  for (const ContextFeature feature : accents::context_features)
    if (feature_name(feature) == name) return feature;
  return std::nullopt;
}

void write_context_counts(std::ostream& out, const ContextCounts& counts) {
  out << "spelling\tfeature\tfirst\tsecond\tcount\n";
  for (const auto& [plain, group] : counts) {
    for (std::size_t s = 0; s < group.spellings.size(); ++s) {
      const std::string spelling = cp1252_to_utf8(group.spellings[s]);
      out << spelling << "\t*\t\t\t" << group.totals[s] << '\n';
      for (const auto& [feature, feature_counts] : group.features) {
        if (feature_counts[s] == 0) continue;
        out << spelling << '\t' << feature_name(feature.kind) << '\t' << cp1252_to_utf8(feature.first) << '\t'
            << cp1252_to_utf8(feature.second) << '\t' << feature_counts[s] << '\n';
      }
    }
  }
}

std::optional<ContextCounts> read_context_counts(std::istream& in, std::string& error) {
  std::string line;
  if (!std::getline(in, line) || line != "spelling\tfeature\tfirst\tsecond\tcount") {
    error = "no header line";
    return std::nullopt;
  }
  ContextCounts counts;
  // The features come after the spellings' own counts, each spelling's after its own.
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
    if (spelling->empty() || spelling->size() > accents::context_token_limit || !has_at_most_one_accent(*spelling) ||
        text::to_lower_case(*spelling) != *spelling)
      return fail("not a spelling in small letters with at most one acute accent");
    std::uint64_t count = 0;
    const auto [end, problem] = std::from_chars(fields[4].data(), fields[4].data() + fields[4].size(), count);
    if (problem != std::errc{} || end != fields[4].data() + fields[4].size() || count == 0)
      return fail("the count is no positive number");
    ContextGroup& group = counts[accents::word_token(*spelling)];
    if (fields[1] == "*") {
      if (!first->empty() || !second->empty()) return fail("a spelling's own count has tokens");
      if (!group.spellings.empty() && group.spellings.back() >= *spelling)
        return fail("spellings out of order or repeated");
      if (group.spellings.size() == accents::context_file::max_candidates) return fail("too many spellings");
      group.spellings.push_back(*spelling);
      group.totals.push_back(count);
      for (auto& [feature, feature_counts] : group.features) feature_counts.push_back(0);
      continue;
    }
    const auto kind = context_feature_named(fields[1]);
    if (!kind) return fail("unknown feature");
    if (group.spellings.empty() || group.spellings.back() != *spelling)
      return fail("a feature before its spelling's own count");
    auto& feature_counts = group.features[{*kind, *first, *second}];
    feature_counts.resize(group.spellings.size());
    if (feature_counts.back() != 0) return fail("a feature given twice");
    feature_counts.back() = count;
  }
  if (in.bad()) {
    error = "cannot be read";
    return std::nullopt;
  }
  for (const auto& [plain, group] : counts)
    if (group.spellings.size() < 2 && !has_tilde_or_diaeresis(group.spellings.front())) {
      error = "the word " + cp1252_to_utf8(plain) + " has a single spelling";
      return std::nullopt;
    }
  return counts;
}

}  // namespace tools
