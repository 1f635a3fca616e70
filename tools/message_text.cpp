#include "tools/message_text.h"

#include <algorithm>
#include <array>

namespace tools {

namespace {

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_char(char c) { return is_ascii_letter(c) || is_digit(c) || c == '_'; }
// A letter for the accelerator marks: ASCII, or the first byte of a UTF-8 sequence.
bool starts_letter(char c) { return is_ascii_letter(c) || static_cast<unsigned char>(c) >= 0xC0; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool breaks_line(std::string_view tag) {
  constexpr std::array<std::string_view, 17> names = {"br", "p",  "div", "li", "ul",    "ol", "h1", "h2",    "h3",
                                                      "h4", "h5", "h6",  "tr", "table", "dt", "dd", "header"};
  std::string name;
  std::transform(tag.begin(), tag.end(), std::back_inserter(name), lower);
  return std::find(names.begin(), names.end(), name) != names.end();
}

struct Scanner {
  std::string_view text;
  std::size_t i = 0;
  std::string out;

  char at(std::size_t k) const { return k < text.size() ? text[k] : '\0'; }

  // The end of a group that opened at i (after `open_size` bytes) and closes with `close` on
  // the same line, or npos.
  std::size_t closing(std::size_t open_size, std::string_view close) const {
    const auto end = text.find(close, i + open_size);
    if (end == std::string_view::npos || text.find('\n', i) < end) return std::string_view::npos;
    return end + close.size();
  }

  bool tag() {
    const std::size_t name_start = i + 1 + (at(i + 1) == '/');
    if (!is_ascii_letter(at(name_start))) return false;
    const auto end = text.find_first_of("<>\n", name_start);
    if (end == std::string_view::npos || text[end] != '>') return false;
    std::size_t name_end = name_start;
    while (name_end < end && (is_name_char(text[name_end]) || text[name_end] == '-')) ++name_end;
    if (breaks_line(text.substr(name_start, name_end - name_start))) out.push_back('\n');
    i = end + 1;
    return true;
  }

  bool percent() {
    std::size_t k = i + 1;
    if (at(k) == '%') {
      out.push_back('%');
      i = k + 1;
      return true;
    }
    if (at(k) >= 'A' && at(k) <= 'Z') {  // %PRODUCTNAME, %LEVEL_CURRENT%, %Y
      while (is_name_char(at(k))) ++k;
      i = at(k) == '%' ? k + 1 : k;
      return true;
    }
    const std::size_t digits = k;
    while (is_digit(at(k))) ++k;
    if (k > digits && at(k) == '%') {  // %1%
      i = k + 1;
      return true;
    }
    if (k > digits && !is_ascii_letter(at(k)) && at(k) != '$' && !(at(k) == '.' && is_digit(at(k + 1)))) {  // %1
      i = k;
      return true;
    }
    k = k > digits && at(k) == '$' ? k + 1 : digits;  // %1$s, or the width of %5d
    while (at(k) == '-' || at(k) == '+' || at(k) == '#' || at(k) == '0') ++k;
    while (is_digit(at(k))) ++k;
    if (at(k) == '.')
      for (++k; is_digit(at(k));) ++k;
    while (at(k) == 'h' || at(k) == 'l' || at(k) == 'L' || at(k) == 'q' || at(k) == 'j' || at(k) == 'z' || at(k) == 't')
      ++k;
    if (!at(k) || std::string_view("diouxXeEfFgGaAcspnS").find(at(k)) == std::string_view::npos) return false;
    i = k + 1;
    return true;
  }

  bool dollar() {
    std::size_t k = i + 1;
    if (at(k) == '{' || at(k) == '(') {
      const auto end = closing(2, at(k) == '{' ? "}" : ")");
      if (end == std::string_view::npos) return false;
      i = end;
      return true;
    }
    if (is_digit(at(k))) {
      while (is_digit(at(k))) ++k;
      i = k;
      return true;
    }
    if (!is_ascii_letter(at(k)) && at(k) != '_') return false;
    while (is_name_char(at(k))) ++k;  // $name
    i = k;
    return true;
  }

  bool group(std::string_view open, std::string_view close) {
    if (text.substr(i, open.size()) != open) return false;
    const auto end = closing(open.size(), close);
    if (end == std::string_view::npos) return false;
    i = end;
    return true;
  }

  bool step() {
    switch (text[i]) {
      case '<': return tag();
      case '%': return percent();
      case '$': return dollar();
      case '{': return group("{", "}");
      case '[': return group("[[", "]]");
      case '~':
      case '_':
        if (!starts_letter(at(i + 1))) return false;
        ++i;
        return true;
      default: return false;
    }
  }
};

}  // namespace

std::vector<std::string> message_paragraphs(std::string_view message) {
  Scanner scanner{message, 0, {}};
  while (scanner.i < message.size())
    if (!scanner.step()) scanner.out.push_back(message[scanner.i++]);

  std::vector<std::string> paragraphs;
  std::string paragraph;
  const auto end_paragraph = [&] {
    if (!paragraph.empty() && paragraph.back() == ' ') paragraph.pop_back();
    if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
    paragraph.clear();
  };
  for (const char c : scanner.out) {
    if (c == '\n') {
      end_paragraph();
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (!paragraph.empty() && paragraph.back() != ' ') paragraph.push_back(' ');
    } else {
      paragraph.push_back(c);
    }
  }
  end_paragraph();
  return paragraphs;
}

}  // namespace tools
