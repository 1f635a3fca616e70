#include "tools/utf8_cp1252.h"

#include "text/code_page_text.h"
#include "text/utf16.h"
#include "text/utf8.h"

namespace tools {

namespace {

// The five bytes the code page leaves undefined: the program carries them as the control
// characters of the same value, the tools count them as characters the code page lacks.
bool undefined(unsigned char b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

}  // namespace

std::optional<std::string> utf8_to_cp1252(std::string_view utf8) {
  text::CodePageText read;
  const text::Utf8Read r = text::append_utf8(read, utf8);
  if (r.read != utf8.size() || !read.foreign.empty()) return std::nullopt;
  for (const char c : read.text)
    if (undefined(static_cast<unsigned char>(c))) return std::nullopt;
  return std::move(read.text);
}

std::string utf8_to_cp1252_replacing(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    text::CodePageText read;
    const text::Utf8Read r = text::append_utf8(read, utf8);
    // One replacement for each character the code page lacks, a surrogate pair being one.
    std::size_t done = 0, unit = 0;
    for (const text::ForeignRun& run : read.foreign) {
      out.append(read.text, done, run.offset - done);
      for (std::size_t k = 0; k < run.length; ++k, ++unit)
        if (k == 0 || !text::utf16::is_high_surrogate(read.foreign_units[unit - 1])) out += replacement;
      done = run.end();
    }
    out.append(read.text, done);
    // Then one for the byte that is no UTF-8 (or a character cut by the end), and on.
    utf8.remove_prefix(r.read);
    if (!utf8.empty()) {
      out += replacement;
      utf8.remove_prefix(1);
    }
  }
  for (char& c : out)
    if (undefined(static_cast<unsigned char>(c))) c = replacement;
  return out;
}

std::string cp1252_to_utf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 8);
  for (std::size_t start = 0; start <= cp1252.size();) {
    std::size_t end = start;
    while (end < cp1252.size() && !undefined(static_cast<unsigned char>(cp1252[end]))) ++end;
    out += text::to_utf8(cp1252.substr(start, end - start));
    if (end == cp1252.size()) break;
    out += "\xEF\xBF\xBD";
    start = end + 1;
  }
  return out;
}

void append_code_point(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace tools
