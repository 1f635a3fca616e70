#include "text/char_classes.h"

namespace text {

namespace {

using byte_tables::ByteSet;
using byte_tables::make_set;

constexpr ByteSet small_letters = make_set("abcdefghijklmnopqrstuvwxyz\xF1\xE1\xE9\xED\xF3\xFA");
constexpr ByteSet capital_letters = make_set("ABCDEFGHIJKLMNOPQRSTUVWXYZ\xD1\xC1\xC9\xCD\xD3\xDA");

bool all_in(std::string_view bytes, const ByteSet& set) {
  for (char c : bytes)
    if (!set[static_cast<unsigned char>(c)]) return false;
  return true;
}

}  // namespace

CaseStyle case_style(std::string_view word) {
  if (!word.empty() && word.front() >= 'A' && word.front() <= 'Z' && all_in(word.substr(1), small_letters))
    return CaseStyle::capitalised;
  if (all_in(word, small_letters)) return CaseStyle::small;
  if (all_in(word, capital_letters)) return CaseStyle::capitals;
  return CaseStyle::other;
}

}  // namespace text
