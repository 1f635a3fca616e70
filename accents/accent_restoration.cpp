#include "accents/accent_restoration.h"

#include "text/ansi.h"
#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "text/report_text.h"

namespace accents {

namespace {

// A word, lower-cased, in a buffer that needs no allocation for any ordinary word.
class LowerWord {
 public:
  explicit LowerWord(std::string_view word) : size_(word.size()) {
    char* p = size_ <= sizeof(small_) ? small_ : (large_.assign(word), large_.data());
    if (p == small_) word.copy(small_, size_);
    text::ansi_lower(p, size_);
    data_ = p;
  }
  LowerWord(const LowerWord&) = delete;
  LowerWord& operator=(const LowerWord&) = delete;
  char* data() { return data_; }
  std::string_view view() const { return {data_, size_}; }

 private:
  char small_[64];
  std::string large_;
  char* data_ = nullptr;
  std::size_t size_;
};

// Tries the vowels of `word` in place, leaving it as it was.
std::size_t find_accent_position(char* word, std::size_t size, const AccentDictionary& dictionary) {
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

}  // namespace

std::string replace_byte_at(std::string_view text, std::size_t position, char byte) {
  std::string out(text);
  if (position < out.size()) out[position] = byte;
  return out;
}

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

std::size_t accent_position(std::string_view word, const AccentDictionary& dictionary) {
  if (word.size() > dictionary.longest()) return std::string_view::npos;
  std::string copy(word);
  return find_accent_position(copy.data(), copy.size(), dictionary);
}

std::string accent_variant(std::string_view word, const AccentDictionary& dictionary) {
  const std::size_t p = accent_position(word, dictionary);
  return p == std::string_view::npos ? std::string(word) : replace_byte_at(word, p, accented_vowel(word[p]));
}

AccentRestoration restore_accents(const text::TokenList& tokens, const AccentDictionary& dictionary) {
  AccentRestoration result;
  std::size_t total = 0;
  for (const std::string_view token : tokens) total += token.size();
  result.text.reserve(total);

  for (const std::string_view token : tokens) {
    const std::string_view word = text::trimmed_token(token);
    // Separators (a space token reads back empty) pass through as they are.
    if (word.empty() || text::is_separator(word) || word.size() > dictionary.longest()) {
      result.text.append(token);
      continue;
    }
    LowerWord lower(word);
    if (dictionary.contains(lower.view())) {
      result.text.append(word);
      continue;
    }
    const std::size_t p = find_accent_position(lower.data(), word.size(), dictionary);
    if (p == std::string_view::npos) {
      result.text.append(word);
      continue;
    }
    const char plain = lower.data()[p];
    lower.data()[p] = accented_vowel(plain);
    ++result.correction_count;
    if (result.correction_count <= max_listed_corrections) {
      result.correction_list.append(lower.view());
      result.correction_list.append("\r\n");
    }
    const int style = text::case_style(word);
    if (style == text::case_style_other) {
      // Mixed capitals stay as written; the vowel takes the accent in its own case.
      char accented = lower.data()[p];
      if (word[p] != plain) text::ansi_upper(&accented, 1);
      result.text.append(word);
      result.text[result.text.size() - word.size() + p] = accented;
    } else {
      result.text.append(text::apply_case_style(lower.view(), style));
    }
  }
  return result;
}

std::string correction_report(const AccentRestoration& restoration) {
  std::string report = "Encontradas " + text::format_count(restoration.correction_count) +
                       " palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
                       "fica ...";
  if (restoration.correction_count > 0) {
    report += "\r\nYa puedes pegar el texto con las t\xEDldes correg\xED"
              "das ...\r\n";
    report += restoration.correction_list;
  }
  return report;
}

}  // namespace accents
