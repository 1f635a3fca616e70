#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "accents/accent_dictionary.h"
#include "accents/accent_restoration.h"
#include "fuzz/check.h"
#include "text/case_conversion.h"
#include "text/code_page_text.h"
#include "text/tokens.h"

namespace fuzz {

// The acute form of a plain vowel, in its own case; 0 for any other byte.
inline char acute_of(char plain) {
  constexpr std::string_view plain_vowels = "aeiouAEIOU";
  constexpr std::string_view acute_vowels = "\xE1\xE9\xED\xF3\xFA\xC1\xC9\xCD\xD3\xDA";
  const std::size_t k = plain_vowels.find(plain);
  return k == std::string_view::npos ? 0 : acute_vowels[k];
}

// Checks one restore_accents call on `before`, starting from no corrections, against what the
// command promises: only plain vowels become acute ones; a word changes at most at one place,
// the leftmost whose one-accent variant (in small letters) the dictionary holds, and only when
// the word itself (in small letters) is not there; words holding foreign units stay whole; the
// corrections count the changed words and list the first 40.
inline void check_restoration(const text::CodePageText& before, const text::CodePageText& after,
                              const accents::AccentDictionary& dictionary,
                              const accents::AccentCorrections& corrections) {
  FUZZ_CHECK(after.text.size() == before.text.size());
  FUZZ_CHECK(after.foreign == before.foreign);
  FUZZ_CHECK(after.foreign_units == before.foreign_units);
  for (std::size_t i = 0; i < before.text.size(); ++i)
    FUZZ_CHECK(after.text[i] == before.text[i] || after.text[i] == acute_of(before.text[i]));

  std::int64_t changed_words = 0;
  std::string list;
  const text::Tokens tokens = text::split_text(before.text);
  for (auto it = tokens.begin(); it != tokens.end(); ++it) {
    const std::string_view word = *it;
    const std::string_view restored = std::string_view(after.text).substr(it.offset(), word.size());
    std::size_t place = std::string_view::npos;
    if (!text::is_separator(word) && text::all_in_code_page(before, it.offset(), word.size())) {
      std::string small = text::to_lower_case(word);
      if (!dictionary.contains(small)) {
        for (std::size_t p = 0; p < small.size() && place == std::string_view::npos; ++p) {
          const char plain = small[p];
          if (std::string_view("aeiou").find(plain) == std::string_view::npos) continue;
          small[p] = acute_of(plain);
          if (dictionary.contains(small))
            place = p;
          else
            small[p] = plain;
        }
      }
      if (place != std::string_view::npos) {
        ++changed_words;
        if (changed_words <= accents::max_listed_corrections) list += small + "\r\n";
      }
    }
    for (std::size_t p = 0; p < word.size(); ++p) FUZZ_CHECK((restored[p] != word[p]) == (p == place));
  }
  FUZZ_CHECK(corrections.count == changed_words);
  FUZZ_CHECK(corrections.list == list);
}

}  // namespace fuzz
