#include "text/code_page_text.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "text/code_page_1252.h"

namespace text {

void append_utf16(CodePageText& text, std::u16string_view units) {
  if (units.size() > std::numeric_limits<std::uint32_t>::max() - text.text.size())
    throw std::length_error("text of 4 GiB or more");
  const std::size_t start = text.text.size();
  text.text.resize(start + units.size());
  char* out = text.text.data() + start;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    const unsigned char b = u < 0x80 ? static_cast<unsigned char>(u) : cp1252::from_unit(u);
    out[i] = static_cast<char>(b);
    if (u >= 0x80 && cp1252::to_unit(b) != u) add_foreign_unit(text, start + i, u);
  }
}

void add_foreign_unit(CodePageText& text, std::size_t offset, char16_t unit) {
  const auto at = static_cast<std::uint32_t>(offset);
  if (!text.foreign.empty() && text.foreign.back().end() == at)
    ++text.foreign.back().length;
  else
    text.foreign.push_back({at, 1});
  text.foreign_units.push_back(unit);
}

CodePageText from_utf16(std::u16string_view units) {
  CodePageText text;
  append_utf16(text, units);
  return text;
}

void write_utf16(const CodePageText& text, char16_t* out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.text.data());
  const char16_t* units = text.foreign_units.data();
  std::size_t i = 0;
  const auto convert_up_to = [&](std::size_t end) {
    for (; i < end; ++i) out[i] = cp1252::to_unit(bytes[i]);
  };
  for (const ForeignRun& run : text.foreign) {
    convert_up_to(run.offset);
    std::copy_n(units, run.length, out + run.offset);
    units += run.length;
    i = run.end();
  }
  convert_up_to(text.text.size());
}

std::u16string to_utf16(const CodePageText& text) {
  std::u16string units(text.text.size(), u'\0');
  write_utf16(text, units.data());
  return units;
}

namespace {

// The first run that ends after `offset`: the only one that can reach into text from there on.
template <typename Runs>
auto first_run_ending_after(Runs& runs, std::size_t offset) {
  return std::upper_bound(runs.begin(), runs.end(), offset,
                          [](std::size_t o, const ForeignRun& run) { return o < run.end(); });
}

}  // namespace

CodePageText split_off(CodePageText& text, std::size_t offset) {
  CodePageText rest;
  rest.text.assign(text.text, offset);
  text.text.resize(offset);
  // Units of the runs before the cut stay; the first run that ends after it may start before it.
  const auto first = first_run_ending_after(text.foreign, offset);
  std::size_t kept_units = 0;
  for (auto it = text.foreign.begin(); it != first; ++it) kept_units += it->length;
  if (first != text.foreign.end() && first->offset < offset) {
    const auto before = static_cast<std::uint32_t>(offset - first->offset);
    kept_units += before;
    rest.foreign.push_back({0, first->length - before});
    first->length = before;
    for (auto it = first + 1; it != text.foreign.end(); ++it)
      rest.foreign.push_back({it->offset - static_cast<std::uint32_t>(offset), it->length});
    text.foreign.erase(first + 1, text.foreign.end());
  } else {
    for (auto it = first; it != text.foreign.end(); ++it)
      rest.foreign.push_back({it->offset - static_cast<std::uint32_t>(offset), it->length});
    text.foreign.erase(first, text.foreign.end());
  }
  rest.foreign_units.assign(text.foreign_units, kept_units);
  text.foreign_units.resize(kept_units);
  return rest;
}

bool all_in_code_page(const CodePageText& text, std::size_t offset, std::size_t length) {
  const auto it = first_run_ending_after(text.foreign, offset);
  return it == text.foreign.end() || it->offset >= offset + length;
}

}  // namespace text
