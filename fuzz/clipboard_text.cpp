// Arbitrary UTF-16 (pairs of bytes, little-endian) as the clipboard gives it: the conversion to
// code page 1252 text and back, the case commands and restoration on it.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "accents/accent_restoration.h"
#include "fuzz/check.h"
#include "fuzz/restoration_check.h"
#include "fuzz/sample_dictionary.h"
#include "text/case_conversion.h"
#include "text/code_page_1252.h"
#include "text/code_page_text.h"
#include "text/unicode_case.h"

namespace {

// True when the unit has a byte of its own, so that it survives the way there and back.
bool holds(char16_t unit) { return text::cp1252::to_unit(text::cp1252::from_unit(unit)) == unit; }

bool is_high_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low_surrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

bool same(const text::CodePageText& a, const text::CodePageText& b) {
  return a.text == b.text && a.foreign == b.foreign && a.foreign_units == b.foreign_units;
}

// Every unit has its code page byte (or stand-in); the units the code page lacks are kept, in
// runs as long as they can be; the text gives back the units exactly.
void check_conversion(const std::u16string& units, std::size_t cut) {
  const text::CodePageText converted = text::from_utf16(units);
  FUZZ_CHECK(converted.text.size() == units.size());
  std::vector<text::ForeignRun> runs;
  std::u16string foreign_units;
  for (std::size_t i = 0; i < units.size(); ++i) {
    FUZZ_CHECK(static_cast<unsigned char>(converted.text[i]) == text::cp1252::from_unit(units[i]));
    FUZZ_CHECK(text::all_in_code_page(converted, i, 1) == holds(units[i]));
    if (holds(units[i])) continue;
    if (!runs.empty() && runs.back().end() == i)
      ++runs.back().length;
    else
      runs.push_back({static_cast<std::uint32_t>(i), 1});
    foreign_units += units[i];
  }
  FUZZ_CHECK(converted.foreign == runs);
  FUZZ_CHECK(converted.foreign_units == foreign_units);
  FUZZ_CHECK(text::to_utf16(converted) == units);

  bool all_held = true;
  for (std::size_t i = cut; i < units.size(); ++i) all_held &= holds(units[i]);
  FUZZ_CHECK(text::all_in_code_page(converted, cut, units.size() - cut) == all_held);

  text::CodePageText built;
  text::append_utf16(built, std::u16string_view(units).substr(0, cut));
  text::append_utf16(built, std::u16string_view(units).substr(cut));
  FUZZ_CHECK(same(built, converted));
}

// The case command by its definition, character by character: code page characters through the
// code page's tables, the others (a surrogate pair is one character) through their Unicode case
// mapping, kept as they are when the mapping would change their length in units.
std::u16string case_changed(const std::u16string& units, text::CaseChange change) {
  std::u16string out = units;
  bool capital_next = true;
  for (std::size_t i = 0; i < units.size();) {
    if (holds(units[i])) {
      const unsigned char b = text::cp1252::from_unit(units[i]);
      const bool upper = change == text::CaseChange::upper || (change == text::CaseChange::mixed && capital_next);
      out[i] = text::cp1252::to_unit(upper ? text::cp1252::to_upper(b) : text::cp1252::to_lower(b));
      capital_next = !(text::cp1252::is_alpha(b) || text::cp1252::is_digit(b));
      ++i;
      continue;
    }
    const bool pair = i + 1 < units.size() && is_high_surrogate(units[i]) && is_low_surrogate(units[i + 1]);
    const char32_t c = pair ? 0x10000 + ((char32_t{units[i]} - 0xD800) << 10) + (units[i + 1] - 0xDC00) : units[i];
    char32_t mapped = c;
    switch (change) {
      case text::CaseChange::upper: mapped = text::unicode::to_upper(c); break;
      case text::CaseChange::lower: mapped = text::unicode::to_lower(c); break;
      case text::CaseChange::mixed:
        mapped = capital_next ? text::unicode::to_title(c) : text::unicode::to_lower(c);
        capital_next = !text::unicode::is_letter(c) && !text::unicode::is_digit(c);
        break;
    }
    if (pair && mapped > 0xFFFF) {
      out[i] = static_cast<char16_t>(0xD800 + ((mapped - 0x10000) >> 10));
      out[i + 1] = static_cast<char16_t>(0xDC00 + ((mapped - 0x10000) & 0x3FF));
    } else if (!pair && mapped <= 0xFFFF) {
      out[i] = static_cast<char16_t>(mapped);
    }
    i += pair ? 2 : 1;
  }
  return out;
}

// Each case command on the whole text, and in two pieces cut at `cut` (moved past the middle of
// a surrogate pair: a piece ends with whole characters).
void check_case_commands(const std::u16string& units, std::size_t cut) {
  if (cut > 0 && cut < units.size() && is_high_surrogate(units[cut - 1]) && is_low_surrogate(units[cut])) ++cut;
  for (const auto change : {text::CaseChange::upper, text::CaseChange::lower, text::CaseChange::mixed}) {
    const std::u16string expected = case_changed(units, change);
    text::CodePageText whole = text::from_utf16(units);
    FUZZ_CHECK(text::change_case(whole, change) == (expected != units));
    FUZZ_CHECK(text::to_utf16(whole) == expected);
    for (std::size_t i = 0; i < expected.size(); ++i)
      FUZZ_CHECK(static_cast<unsigned char>(whole.text[i]) == text::cp1252::from_unit(expected[i]));

    text::CaseChanger changer(change);
    text::CodePageText first = text::from_utf16(std::u16string_view(units).substr(0, cut));
    text::CodePageText second = text::from_utf16(std::u16string_view(units).substr(cut));
    changer.apply(first);
    changer.apply(second);
    FUZZ_CHECK(text::to_utf16(first) + text::to_utf16(second) == expected);
  }
}

void check_restoration(const std::u16string& units) {
  const text::CodePageText before = text::from_utf16(units);
  text::CodePageText after = before;
  accents::AccentCorrections corrections;
  accents::restore_accents(after, fuzz::sample_dictionary(), corrections);
  fuzz::check_restoration(before, after, fuzz::sample_dictionary(), corrections);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto cut_at = input.ConsumeIntegral<std::uint16_t>();
  const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  const std::size_t cut = cut_at % (units.size() + 1);

  check_conversion(units, cut);
  check_case_commands(units, cut);
  check_restoration(units);
  return 0;
}
