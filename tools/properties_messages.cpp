#include "tools/properties_messages.h"

#include <algorithm>
#include <array>
#include <optional>

#include "tools/files.h"
#include "tools/utf8_cp1252.h"

namespace tools {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\r'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool names_a_key(std::string_view key) {
  std::string name;
  std::transform(key.begin(), key.end(), std::back_inserter(name), lower);
  constexpr std::array<std::string_view, 3> endings = {"accesskey", "commandkey", ".key"};
  return std::any_of(endings.begin(), endings.end(), [&](std::string_view e) { return name.ends_with(e); });
}

std::optional<unsigned> hex4(std::string_view s, std::size_t at) {
  if (at + 4 > s.size()) return std::nullopt;
  unsigned v = 0;
  for (std::size_t k = at; k < at + 4; ++k) {
    const char c = s[k];
    const unsigned d = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                       : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10)
                       : c >= 'A' && c <= 'F' ? static_cast<unsigned>(c - 'A' + 10)
                                              : 16;
    if (d == 16) return std::nullopt;
    v = v * 16 + d;
  }
  return v;
}

// The value with its escapes decoded.
std::string unescape(std::string_view s) {
  std::string out;
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (s[k] != '\\') {
      out.push_back(s[k]);
      continue;
    }
    if (++k == s.size()) break;
    switch (s[k]) {
      case 'n': out.push_back('\n'); break;
      case 't': out.push_back('\t'); break;
      case 'r': out.push_back('\r'); break;
      case 'u': {
        const auto high = hex4(s, k + 1);
        if (!high) break;
        k += 4;
        unsigned cp = *high;
        if (cp >= 0xD800 && cp < 0xDC00 && k + 2 < s.size() && s[k + 1] == '\\' && s[k + 2] == 'u') {
          if (const auto low = hex4(s, k + 3); low && *low >= 0xDC00 && *low < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
            k += 6;
          }
        }
        if (cp < 0xD800 || cp >= 0xE000) append_code_point(out, cp);
        break;
      }
      default: out.push_back(s[k]);
    }
  }
  return out;
}

bool ends_in_escape(std::string_view line) {
  std::size_t backslashes = 0;
  while (backslashes < line.size() && line[line.size() - 1 - backslashes] == '\\') ++backslashes;
  return backslashes % 2 == 1;
}

void add_entry(std::string_view logical, std::vector<std::string>& messages) {
  std::size_t k = 0;
  while (k < logical.size() && is_blank(logical[k])) ++k;
  if (k == logical.size()) return;
  const std::size_t key_start = k;
  while (k < logical.size() && logical[k] != '=' && logical[k] != ':' && !is_blank(logical[k]))
    k += logical[k] == '\\' ? 2 : 1;
  k = std::min(k, logical.size());
  const auto key = logical.substr(key_start, k - key_start);
  while (k < logical.size() && is_blank(logical[k])) ++k;
  if (k < logical.size() && (logical[k] == '=' || logical[k] == ':')) ++k;
  while (k < logical.size() && is_blank(logical[k])) ++k;
  if (k == logical.size() || names_a_key(key)) return;
  messages.push_back(unescape(logical.substr(k)));
}

}  // namespace

std::vector<std::string> properties_messages(std::string_view file) {
  std::vector<std::string> messages;
  std::string logical;
  bool continued = false;
  for (std::string_view line : lines_of(file)) {
    if (continued) {
      while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
    } else {
      logical.clear();
      const auto first = line.find_first_not_of(" \t\f");
      if (first != std::string_view::npos && (line[first] == '#' || line[first] == '!')) continue;
    }
    continued = ends_in_escape(line);
    if (continued) line.remove_suffix(1);
    logical += line;
    if (!continued) add_entry(logical, messages);
  }
  if (continued) add_entry(logical, messages);
  return messages;
}

}  // namespace tools
