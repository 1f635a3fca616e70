#include "tools/markup_text.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "tools/utf8_cp1252.h"

namespace tools {

namespace {

bool one_of(std::string_view s, std::initializer_list<std::string_view> set) {
  return std::find(set.begin(), set.end(), s) != set.end();
}

// Elements that sit inside a sentence: their edges do not end a paragraph.
bool is_inline(std::string_view tag) {
  // clang-format off
  return one_of(tag, {"a", "abbr", "acronym", "app", "b", "bdi", "bdo", "big", "cite", "dfn", "em", "emph", "font",
                      "gui", "guiseq", "i", "ins", "label", "link", "mark", "q", "s", "small", "span", "strike",
                      "strong", "sub", "sup", "u"});
  // clang-format on
}

// Code and keys inside a sentence: left out without ending the paragraph.
bool is_inline_code(std::string_view tag) {
  // clang-format off
  return one_of(tag, {"code", "tt", "kbd", "samp", "var", "command", "filename", "literal", "cmd", "sys", "file",
                      "input", "output", "key", "keyseq", "computeroutput", "userinput"});
  // clang-format on
}

// HTML elements that never have content or a closing tag.
bool is_void(std::string_view tag) {
  // clang-format off
  return one_of(tag, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source",
                      "track", "wbr"});
  // clang-format on
}

// Code, commands, program output, metadata and page furniture: not prose, or the same on
// every page of a manual.
bool is_skipped_tag(std::string_view tag) {
  // clang-format off
  return one_of(tag, {"script", "style", "head", "pre", "code", "tt", "kbd", "samp", "var", "screen",
                      "programlisting", "computeroutput", "userinput", "command", "filename", "literal", "cmd",
                      "sys", "file", "input", "output", "key", "keyseq", "credit", "revision", "years", "email",
                      "svg", "math", "nav", "header", "footer", "aside", "noscript"});
  // clang-format on
}

bool is_skipped_class(std::string_view name) {
  if (one_of(name, {"code",
                    "bascode",
                    "pycode",
                    "literal",
                    "screen",
                    "programlisting",
                    "computeroutput",
                    "userinput",
                    "command",
                    "filename",
                    "replaceable",
                    "highlight",
                    "debug",
                    "relatedtopics",
                    "related",
                    "index",
                    "contents-treeview",
                    "modules",
                    "dropdowns",
                    "index-label",
                    "bug"}))
    return true;
  for (std::string_view part : {"toc", "nav", "footer", "header", "sidebar", "breadcrumb"})
    if (name.find(part) != std::string_view::npos) return true;
  return false;
}

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' || c == '-' ||
         c == '_' || c == '.';
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::optional<std::uint32_t> named_entity(std::string_view name) {
  static constexpr struct {
    std::string_view name;
    std::uint32_t cp;
  } table[] = {
      {"amp", '&'},      {"lt", '<'},        {"gt", '>'},       {"quot", '"'},     {"apos", '\''},    {"nbsp", 0xA0},
      {"iexcl", 0xA1},   {"iquest", 0xBF},   {"laquo", 0xAB},   {"raquo", 0xBB},   {"aacute", 0xE1},  {"eacute", 0xE9},
      {"iacute", 0xED},  {"oacute", 0xF3},   {"uacute", 0xFA},  {"Aacute", 0xC1},  {"Eacute", 0xC9},  {"Iacute", 0xCD},
      {"Oacute", 0xD3},  {"Uacute", 0xDA},   {"ntilde", 0xF1},  {"Ntilde", 0xD1},  {"uuml", 0xFC},    {"Uuml", 0xDC},
      {"ordf", 0xAA},    {"ordm", 0xBA},     {"copy", 0xA9},    {"reg", 0xAE},     {"trade", 0x2122}, {"ndash", 0x2013},
      {"mdash", 0x2014}, {"hellip", 0x2026}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D},
      {"bull", 0x2022},  {"middot", 0xB7},   {"deg", 0xB0},     {"euro", 0x20AC},
  };
  for (const auto& e : table)
    if (e.name == name) return e.cp;
  return std::nullopt;
}

// The value of attribute `name` in the text between a tag's name and its '>'.
std::string_view attribute(std::string_view attributes, std::string_view name) {
  for (std::size_t at = 0; (at = attributes.find(name, at)) != std::string_view::npos; at += name.size()) {
    if (at > 0 && is_name_char(attributes[at - 1])) continue;
    std::size_t i = at + name.size();
    while (i < attributes.size() && is_space(attributes[i])) ++i;
    if (i >= attributes.size() || attributes[i] != '=') continue;
    ++i;
    while (i < attributes.size() && is_space(attributes[i])) ++i;
    if (i >= attributes.size()) return {};
    const char quote = attributes[i];
    if (quote != '"' && quote != '\'') {
      const std::size_t end = std::min(attributes.find_first_of(" \t\r\n>", i), attributes.size());
      return attributes.substr(i, end - i);
    }
    const std::size_t end = attributes.find(quote, i + 1);
    if (end == std::string_view::npos) return {};
    return attributes.substr(i + 1, end - i - 1);
  }
  return {};
}

bool has_skipped_class(std::string_view attributes) {
  for (std::string_view original : {attribute(attributes, "class"), attribute(attributes, "id")}) {
    std::string lower(original);
    std::transform(lower.begin(), lower.end(), lower.begin(), lower_ascii);
    std::string_view value = lower;
    while (!value.empty()) {
      const std::size_t end = std::min(value.find(' '), value.size());
      if (end > 0 && is_skipped_class(value.substr(0, end))) return true;
      value.remove_prefix(std::min(end + 1, value.size()));
    }
  }
  return false;
}

class Extractor {
 public:
  explicit Extractor(std::string_view document) : doc_(document) {
    const std::string_view start = document.substr(0, 2000);
    html_ = start.find("<html") != std::string_view::npos || start.find("<HTML") != std::string_view::npos ||
            start.find("<!DOCTYPE html") != std::string_view::npos;
  }

  std::vector<std::string> run() {
    while (pos_ < doc_.size()) {
      const char c = doc_[pos_];
      if (c == '<' && markup()) continue;
      if (c == '&') {
        reference();
        continue;
      }
      if (!skip_) text_.push_back(c);
      ++pos_;
    }
    end_paragraph();
    return std::move(paragraphs_);
  }

 private:
  // Handles the markup at pos_; false when the '<' is plain text.
  bool markup() {
    const std::string_view rest = doc_.substr(pos_);
    if (rest.starts_with("<!--")) return jump_past("-->");
    if (rest.starts_with("<![CDATA[")) {
      const std::size_t end = std::min(rest.find("]]>"), rest.size());
      if (!skip_) text_.append(rest.substr(9, end > 9 ? end - 9 : 0));
      pos_ += std::min(end + 3, rest.size());
      return true;
    }
    if (rest.starts_with("<!") || rest.starts_with("<?")) return jump_past(">");

    std::size_t i = 1;
    const bool closing = i < rest.size() && rest[i] == '/';
    if (closing) ++i;
    const std::size_t name_start = i;
    while (i < rest.size() && is_name_char(rest[i])) ++i;
    if (i == name_start || !(std::isalpha(static_cast<unsigned char>(rest[name_start])))) return false;
    std::string tag(rest.substr(name_start, i - name_start));
    if (const auto colon = tag.rfind(':'); colon != std::string::npos) tag.erase(0, colon + 1);
    std::transform(tag.begin(), tag.end(), tag.begin(), lower_ascii);

    // The tag ends at the first '>' outside quoted attribute values.
    const std::size_t attributes_start = i;
    char quote = 0;
    for (; i < rest.size(); ++i) {
      if (quote) {
        if (rest[i] == quote) quote = 0;
      } else if (rest[i] == '"' || rest[i] == '\'') {
        quote = rest[i];
      } else if (rest[i] == '>') {
        break;
      }
    }
    const std::string_view attributes = rest.substr(attributes_start, i - attributes_start);
    const bool self_closing = !attributes.empty() && attributes.back() == '/';
    pos_ += std::min(i + 1, rest.size());

    const bool opens = !closing && !self_closing && !(html_ && is_void(tag));
    if (skip_) {
      if (tag == skipped_tag_) {
        if (closing && --skip_depth_ == 0)
          skip_ = false;
        else if (opens)
          ++skip_depth_;
      }
      return true;
    }
    if (opens && (is_skipped_tag(tag) || has_skipped_class(attributes))) {
      skip_ = true;
      skipped_tag_ = tag;
      skip_depth_ = 1;
      text_.push_back(' ');
      if (!is_inline(tag) && !is_inline_code(tag)) end_paragraph();
      return true;
    }
    if (is_inline(tag)) return true;
    end_paragraph();
    return true;
  }

  bool jump_past(std::string_view end) {
    const std::size_t at = doc_.find(end, pos_);
    pos_ = at == std::string_view::npos ? doc_.size() : at + end.size();
    return true;
  }

  void reference() {
    const std::size_t end = doc_.find(';', pos_);
    if (end == std::string_view::npos || end - pos_ > 12) {
      if (!skip_) text_.push_back('&');
      ++pos_;
      return;
    }
    const std::string_view name = doc_.substr(pos_ + 1, end - pos_ - 1);
    pos_ = end + 1;
    if (skip_) return;
    std::optional<std::uint32_t> cp;
    if (name.starts_with("#x") || name.starts_with("#X")) {
      cp = static_cast<std::uint32_t>(std::strtoul(std::string(name.substr(2)).c_str(), nullptr, 16));
    } else if (name.starts_with("#")) {
      cp = static_cast<std::uint32_t>(std::strtoul(std::string(name.substr(1)).c_str(), nullptr, 10));
    } else {
      cp = named_entity(name);
    }
    if (!cp || *cp == 0 || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF)) cp = ' ';
    append_code_point(text_, *cp);
  }

  void end_paragraph() {
    std::string paragraph;
    bool space = false;
    for (char c : text_) {
      if (is_space(c)) {
        space = !paragraph.empty();
        continue;
      }
      if (space) paragraph.push_back(' ');
      space = false;
      paragraph.push_back(c);
    }
    text_.clear();
    if (!paragraph.empty()) paragraphs_.push_back(std::move(paragraph));
  }

  std::string_view doc_;
  bool html_ = false;
  std::size_t pos_ = 0;
  std::string text_;
  std::vector<std::string> paragraphs_;
  bool skip_ = false;
  std::string skipped_tag_;
  int skip_depth_ = 0;
};

}  // namespace

std::vector<std::string> markup_paragraphs(std::string_view document) { return Extractor(document).run(); }

}  // namespace tools
