#include "text/unicode_case.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace text::unicode {

namespace {

struct CaseMapping {
  std::uint32_t from, to;
};
struct CodePointRange {
  std::uint32_t first, last;
};

#include "text/unicode_tables.inc"

template <std::size_t N>
const CaseMapping* find(const CaseMapping (&table)[N], char32_t c) {
  const auto* it = std::lower_bound(std::begin(table), std::end(table), c,
                                    [](const CaseMapping& m, char32_t key) { return m.from < key; });
  return it != std::end(table) && it->from == c ? it : nullptr;
}

template <std::size_t N>
char32_t mapped(const CaseMapping (&table)[N], char32_t c) {
  const CaseMapping* m = find(table, c);
  return m ? m->to : c;
}

}  // namespace

char32_t to_upper(char32_t c) { return mapped(simple_upper, c); }
char32_t to_lower(char32_t c) { return mapped(simple_lower, c); }

char32_t to_title(char32_t c) {
  const CaseMapping* title = find(simple_title, c);
  return title ? title->to : to_upper(c);
}

template <std::size_t N>
bool in_ranges(const CodePointRange (&ranges)[N], char32_t c) {
  const auto* it = std::upper_bound(std::begin(ranges), std::end(ranges), c,
                                    [](char32_t key, const CodePointRange& r) { return key < r.first; });
  return it != std::begin(ranges) && c <= std::prev(it)->last;
}

bool is_letter(char32_t c) { return in_ranges(letter_ranges, c); }
bool is_digit(char32_t c) { return in_ranges(digit_ranges, c); }

}  // namespace text::unicode
