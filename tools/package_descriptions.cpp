#include "tools/package_descriptions.h"

#include <unordered_set>

namespace tools {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

// The length of a list item's mark at the start of a trimmed line, or 0.
std::size_t list_mark(std::string_view line) {
  if (line.size() < 2 || line[1] != ' ') return 0;
  return line[0] == '*' || line[0] == '-' || line[0] == '+' ? 2 : 0;
}

struct DescriptionText {
  std::vector<std::string> paragraphs;
  std::string paragraph;

  void end_paragraph() {
    if (!paragraph.empty()) paragraphs.push_back(std::move(paragraph));
    paragraph.clear();
  }

  void add_words(std::string_view words) {
    for (const char c : words) {
      if (is_space(c)) {
        if (!paragraph.empty() && paragraph.back() != ' ') paragraph.push_back(' ');
      } else {
        paragraph.push_back(c);
      }
    }
    if (!paragraph.empty() && paragraph.back() != ' ') paragraph.push_back(' ');
  }

  void add_long_line(std::string_view line) {
    line = trim(line);
    if (line == ".") return end_paragraph();
    if (const auto mark = list_mark(line)) {
      end_paragraph();
      line.remove_prefix(mark);
    }
    add_words(line);
  }

  std::vector<std::string> finish() {
    end_paragraph();
    for (auto& p : paragraphs)
      if (p.back() == ' ') p.pop_back();
    std::erase_if(paragraphs, [](const std::string& p) { return p.empty(); });
    return std::move(paragraphs);
  }
};

}  // namespace

std::vector<PackageDescription> translated_descriptions(std::string_view file) {
  std::vector<PackageDescription> descriptions;
  std::unordered_set<std::string> seen;
  std::string package;
  DescriptionText text;
  bool in_description = false;

  const auto end_description = [&] {
    if (!in_description) return;
    in_description = false;
    PackageDescription d{package, {}};
    for (auto& p : text.finish())
      if (seen.insert(p).second) d.paragraphs.push_back(std::move(p));
    text = {};
    if (!d.paragraphs.empty()) descriptions.push_back(std::move(d));
  };

  std::size_t start = 0;
  while (start < file.size()) {
    auto end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    const auto line = file.substr(start, end - start);
    start = end + 1;

    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      if (in_description) text.add_long_line(line);
      continue;
    }
    end_description();
    if (trim(line).empty()) {
      package.clear();
      continue;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const auto field = line.substr(0, colon);
    const auto value = trim(line.substr(colon + 1));
    if (field == "Package") {
      package = value;
    } else if (field.starts_with("Description-") && field != "Description-md5") {
      in_description = true;
      text.add_words(value);
      text.end_paragraph();
    }
  }
  end_description();
  return descriptions;
}

}  // namespace tools
