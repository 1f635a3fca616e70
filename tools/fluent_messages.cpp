#include "tools/fluent_messages.h"

#include <algorithm>
#include <array>

#include "tools/files.h"

namespace tools {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

bool is_identifier(std::string_view s) {
  if (s.empty()) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

bool holds_text(std::string_view attribute) {
  constexpr std::array<std::string_view, 4> not_text = {"accesskey", "commandkey", "key", "style"};
  return std::find(not_text.begin(), not_text.end(), attribute) == not_text.end();
}

// The end of a string literal that opens at `open` (a '"'): the index past its closing quote, or
// npos. A backslash escapes the next byte.
std::size_t string_end(std::string_view s, std::size_t open) {
  for (std::size_t k = open + 1; k < s.size(); ++k) {
    if (s[k] == '\\')
      ++k;
    else if (s[k] == '"')
      return k + 1;
  }
  return std::string_view::npos;
}

// The index of the '}' that closes the placeable opening at `open`, or npos. Placeables nest;
// a string literal right after an opening brace may hold braces.
std::size_t placeable_end(std::string_view s, std::size_t open) {
  int depth = 0;
  for (std::size_t k = open; k < s.size(); ++k) {
    if (s[k] == '{') {
      ++depth;
      std::size_t q = k + 1;
      while (q < s.size() && (s[q] == ' ' || s[q] == '\t')) ++q;
      if (q < s.size() && s[q] == '"') {
        const auto end = string_end(s, q);
        if (end == std::string_view::npos) return end;
        k = end - 1;
      }
    } else if (s[k] == '}' && --depth == 0) {
      return k;
    }
  }
  return std::string_view::npos;
}

std::string resolve(std::string_view pattern);

// The text of a select expression's variants (what follows "->"): the default one, marked '*'.
// A variant's key opens with '[' at the start of a line, outside nested placeables.
std::string default_variant(std::string_view variants) {
  std::size_t start = std::string_view::npos;
  bool line_start = true, is_default = false;
  for (std::size_t k = 0; k < variants.size(); ++k) {
    const char c = variants[k];
    if (c == '{') {
      const auto end = placeable_end(variants, k);
      if (end == std::string_view::npos) break;
      k = end;
      line_start = false;
      continue;
    }
    if (c == '\n') {
      line_start = true;
      continue;
    }
    if (!line_start) continue;
    if (c == '*') {
      is_default = true;
      continue;
    }
    if (c == '[') {
      if (start != std::string_view::npos) return resolve(trim(variants.substr(start, k - start)));
      const auto close = variants.find(']', k);
      if (close == std::string_view::npos) break;
      if (is_default) start = close + 1;
      k = close;
    }
    if (!is_space(c)) {
      line_start = false;
      is_default = false;
    }
  }
  // The default variant may be the last one, which runs to the end.
  if (start == std::string_view::npos) return {};
  auto rest = variants.substr(start);
  return resolve(trim(rest));
}

std::string placeable_text(std::string_view inner) {
  inner = trim(inner);
  if (inner.size() >= 2 && inner.front() == '"' && string_end(inner, 0) == inner.size()) {
    std::string text;
    for (std::size_t k = 1; k + 1 < inner.size(); ++k) {
      if (inner[k] == '\\' && k + 2 < inner.size()) ++k;
      text.push_back(inner[k]);
    }
    return text;
  }
  // A selector is a plain expression, so the first "->" outside a nested placeable is the select's.
  for (std::size_t k = 0; k + 1 < inner.size(); ++k) {
    if (inner[k] == '{') {
      const auto end = placeable_end(inner, k);
      if (end == std::string_view::npos) return {};
      k = end;
    } else if (inner[k] == '-' && inner[k + 1] == '>') {
      return default_variant(inner.substr(k + 2));
    }
  }
  return {};
}

std::string resolve(std::string_view pattern) {
  std::string text;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (pattern[k] != '{') {
      text.push_back(pattern[k]);
      continue;
    }
    const auto end = placeable_end(pattern, k);
    if (end == std::string_view::npos) {
      text.append(pattern.substr(k));
      break;
    }
    text += placeable_text(pattern.substr(k + 1, end - k - 1));
    k = end;
  }
  return text;
}

}  // namespace

std::vector<std::string> fluent_messages(std::string_view file) {
  std::vector<std::string> messages;
  std::string pattern;
  bool in_entry = false, in_term = false, keep = false;

  const auto end_pattern = [&] {
    if (keep) {
      const auto text = resolve(trim(pattern));
      if (const auto kept = trim(text); !kept.empty()) messages.emplace_back(kept);
    }
    pattern.clear();
    keep = false;
  };

  for (std::string_view line : lines_of(file)) {
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      if (!in_entry) continue;
      const auto body = trim(line);
      const auto eq = body.find('=');
      if (body.starts_with('.') && eq != std::string_view::npos && is_identifier(trim(body.substr(1, eq - 1)))) {
        end_pattern();
        keep = !in_term && holds_text(trim(body.substr(1, eq - 1)));
        pattern = body.substr(eq + 1);
      } else {
        pattern.push_back('\n');
        pattern += body;
      }
      continue;
    }
    if (trim(line).empty()) {
      if (in_entry) pattern.push_back('\n');
      continue;
    }
    end_pattern();
    in_entry = false;
    const auto eq = line.find('=');
    if (line[0] == '#' || eq == std::string_view::npos) continue;
    const auto id = trim(line.substr(0, eq));
    if (!is_identifier(id)) continue;
    in_entry = true;
    in_term = id.front() == '-';
    keep = !in_term;
    pattern = line.substr(eq + 1);
  }
  end_pattern();
  return messages;
}

}  // namespace tools
