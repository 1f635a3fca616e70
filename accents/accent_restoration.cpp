#include "accents/accent_restoration.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "text/code_page_1252.h"
#include "text/report_text.h"
#include "text/tokens.h"

namespace accents {

namespace {

char accented_vowel(char plain) {
  switch (plain) {
    case 'a': return '\xE1';
    case 'e': return '\xE9';
    case 'i': return '\xED';
    case 'o': return '\xF3';
    case 'u': return '\xFA';
    default: return 0;
  }
}

// The leftmost plain vowel of `word` (in small letters) whose one-accent variant the dictionary
// knows, tried in place and left as it was; npos when there is none.
std::size_t accent_position(char* word, std::size_t size, const AccentDictionary& dictionary) {
  for (std::size_t p = 0; p < size; ++p) {
    const char plain = word[p];
    const char accented = accented_vowel(plain);
    if (accented == 0) continue;
    word[p] = accented;
    const bool known = dictionary.contains(std::string_view(word, size));
    word[p] = plain;
    if (known) return p;
  }
  return std::string_view::npos;
}

// Rewrites one word in place when it needs an accent.
void restore_word(char* word, std::size_t size, const AccentDictionary& dictionary, AccentCorrections& corrections) {
  if (size > dictionary.longest()) return;
  char small[64];
  std::string large;
  char* const lower = size <= sizeof small ? small : (large.resize(size), large.data());
  std::transform(word, word + size, lower,
                 [](char c) { return static_cast<char>(text::cp1252::to_lower(static_cast<unsigned char>(c))); });
  if (dictionary.contains(std::string_view(lower, size))) return;
  const std::size_t p = accent_position(lower, size, dictionary);
  if (p == std::string_view::npos) return;

  const char plain = lower[p];
  lower[p] = accented_vowel(plain);
  ++corrections.count;
  if (corrections.count <= max_listed_corrections) {
    corrections.list.append(lower, size);
    corrections.list.append("\r\n");
  }
  const std::string_view written(word, size);
  const text::CaseStyle style = text::case_style(written);
  if (style == text::CaseStyle::other) {
    // Mixed capitals stay as written; the vowel takes the accent in its own case.
    word[p] = word[p] == plain ? lower[p] : static_cast<char>(text::cp1252::to_upper(static_cast<unsigned char>(lower[p])));
  } else {
    const std::string styled = text::apply_case_style(std::string_view(lower, size), style);
    std::copy(styled.begin(), styled.end(), word);
  }
}

}  // namespace

void restore_accents(text::CodePageText& text, const AccentDictionary& dictionary, AccentCorrections& corrections) {
  if (dictionary.empty()) return;
  char* const bytes = text.text.data();
  const bool has_foreign = !text.foreign.empty();
  const text::Tokens tokens = text::split_text(text.text);
  for (auto it = tokens.begin(); it != tokens.end(); ++it) {
    const std::string_view token = *it;
    if (text::is_separator(token)) continue;
    if (has_foreign && !text::all_in_code_page(text, it.offset(), token.size())) continue;
    restore_word(bytes + it.offset(), token.size(), dictionary, corrections);
  }
}

std::string correction_report(const AccentCorrections& corrections) {
  std::string report = "Encontradas " + text::format_count(corrections.count) +
                       " palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
                       "fica ...";
  if (corrections.count > 0) {
    report += "\r\nYa puedes pegar el texto con las t\xEDldes correg\xED"
              "das ...\r\n";
    report += corrections.list;
  }
  return report;
}

}  // namespace accents
