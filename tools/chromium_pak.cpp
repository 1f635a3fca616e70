#include "tools/chromium_pak.h"

#include "text/code_page_text.h"
#include "text/utf8.h"

namespace tools {

namespace {

std::uint32_t read_le(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

bool is_utf8(std::string_view bytes) {
  text::CodePageText decoded;
  const auto read = text::append_utf8(decoded, bytes);
  return !read.invalid && read.read == bytes.size();
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

// The index of the '}' that closes the brace at `open`, or npos. Braces nest; ICU's quoting
// ('{') is rare in translations and not followed.
std::size_t closing_brace(std::string_view s, std::size_t open) {
  int depth = 0;
  for (std::size_t k = open; k < s.size(); ++k) {
    if (s[k] == '{') ++depth;
    else if (s[k] == '}' && --depth == 0) return k;
  }
  return std::string_view::npos;
}

std::string resolve(std::string_view message, bool in_plural);

// The text of an argument (what is between its braces).
std::string argument_text(std::string_view argument) {
  const auto first = argument.find(',');
  if (first == std::string_view::npos) return {};
  const auto second = argument.find(',', first + 1);
  if (second == std::string_view::npos) return {};
  const auto type = trim(argument.substr(first + 1, second - first - 1));
  const bool plural = type == "plural" || type == "selectordinal";
  if (!plural && type != "select") return {};
  // Variants: a selector (other, =1, one, offset:1 is passed over) and its message in braces.
  auto rest = argument.substr(second + 1);
  while (true) {
    const auto open = rest.find('{');
    if (open == std::string_view::npos) return {};
    const auto close = closing_brace(rest, open);
    if (close == std::string_view::npos) return {};
    const auto selector = trim(rest.substr(0, open));
    if (selector == "other" || selector.ends_with(" other")) return resolve(rest.substr(open + 1, close - open - 1), plural);
    rest = rest.substr(close + 1);
  }
}

std::string resolve(std::string_view message, bool in_plural) {
  std::string text;
  for (std::size_t k = 0; k < message.size(); ++k) {
    if (message[k] == '#' && in_plural) continue;
    if (message[k] != '{') {
      text.push_back(message[k]);
      continue;
    }
    const auto close = closing_brace(message, k);
    if (close == std::string_view::npos) {
      text.append(message.substr(k));
      break;
    }
    text += argument_text(message.substr(k + 1, close - k - 1));
    k = close;
  }
  return text;
}

}  // namespace

std::optional<std::vector<PakMessage>> pak_messages(std::string_view bytes) {
  if (bytes.size() < 4) return std::nullopt;
  const auto version = read_le(bytes, 0, 4);
  std::size_t count = 0, table = 0;
  unsigned encoding = 0;
  if (version == 4) {
    if (bytes.size() < 9) return std::nullopt;
    count = read_le(bytes, 4, 4);
    encoding = read_le(bytes, 8, 1);
    table = 9;
  } else if (version == 5) {
    if (bytes.size() < 12) return std::nullopt;
    encoding = read_le(bytes, 4, 1);
    count = read_le(bytes, 8, 2);
    table = 12;
  } else {
    return std::nullopt;
  }
  if (encoding > 2) return std::nullopt;
  // count entries and the one after the last that marks its end, 6 bytes each.
  if ((bytes.size() - table) / 6 < count + 1) return std::nullopt;
  std::vector<PakMessage> messages;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = table + 6 * i;
    const auto start = read_le(bytes, entry + 2, 4), end = read_le(bytes, entry + 8, 4);
    if (start > end || end > bytes.size()) return std::nullopt;
    const auto text = bytes.substr(start, end - start);
    if (encoding == 1 && is_utf8(text))
      messages.push_back({static_cast<std::uint16_t>(read_le(bytes, entry, 2)), std::string(text)});
  }
  return messages;
}

std::map<std::uint16_t, std::string> pak_message_files(std::string_view info) {
  std::map<std::uint16_t, std::string> files;
  std::size_t start = 0;
  while (start < info.size()) {
    auto end = info.find('\n', start);
    if (end == std::string_view::npos) end = info.size();
    const auto line = trim(info.substr(start, end - start));
    start = end + 1;
    const auto first = line.find(','), second = line.find(',', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos || second == first + 1) continue;
    std::uint32_t id = 0;
    bool number = second - first - 1 <= 5;
    for (std::size_t k = first + 1; number && k < second; ++k) {
      number = line[k] >= '0' && line[k] <= '9';
      id = id * 10 + static_cast<std::uint32_t>(line[k] - '0');
    }
    if (!number || id > 0xFFFF || second + 1 == line.size()) continue;
    files[static_cast<std::uint16_t>(id)] = std::string(line.substr(second + 1));
  }
  return files;
}

std::string icu_message_text(std::string_view message) { return resolve(message, false); }

}  // namespace tools
