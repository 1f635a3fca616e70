#include "text/case_conversion.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "text/ascii_chunk.h"
#include "text/code_page_1252.h"
#include "text/unicode_case.h"
#include "text/utf16.h"

namespace text {

namespace {

using cp1252::ByteMap;
using cp1252::lower_bytes;
using cp1252::upper_bytes;

// After a letter or a digit the next letter continues a word.
constexpr std::array<bool, 256> continues_word = [] {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b)
    table[b] = cp1252::is_alpha(static_cast<unsigned char>(b)) || cp1252::is_digit(static_cast<unsigned char>(b));
  return table;
}();

// A case mapping: every byte through its table, or eight ASCII bytes at a time.
struct CaseMap {
  const ByteMap& bytes;
  std::uint64_t (*ascii)(std::uint64_t chunk);
};

constexpr CaseMap upper_map{upper_bytes, ascii_chunk::to_upper};
constexpr CaseMap lower_map{lower_bytes, ascii_chunk::to_lower};

// Converts bytes [begin, end) in place; true when any changed.
bool map_bytes(char* begin, char* end, const CaseMap& map) {
  bool changed = false;
  char* p = begin;
  while (end - p >= 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, p, 8);
    if ((chunk & ascii_chunk::high_bits) == 0) {
      if (const std::uint64_t mapped = map.ascii(chunk); mapped != chunk) {
        std::memcpy(p, &mapped, 8);
        changed = true;
      }
      p += 8;
      continue;
    }
    for (char* const chunk_end = p + 8; p != chunk_end; ++p) {
      const unsigned char b = static_cast<unsigned char>(*p);
      changed |= map.bytes[b] != b;
      *p = static_cast<char>(map.bytes[b]);
    }
  }
  for (; p != end; ++p) {
    const unsigned char b = static_cast<unsigned char>(*p);
    changed |= map.bytes[b] != b;
    *p = static_cast<char>(map.bytes[b]);
  }
  return changed;
}

bool mix_bytes(char* begin, char* end, bool& capital_next) {
  bool changed = false;
  for (char* p = begin; p != end; ++p) {
    const unsigned char b = static_cast<unsigned char>(*p);
    const unsigned char out = capital_next ? upper_bytes[b] : lower_bytes[b];
    changed |= out != b;
    *p = static_cast<char>(out);
    capital_next = !continues_word[b];
  }
  return changed;
}

// Rewrites the units of one foreign run, and their stand-in bytes with them.
bool change_units(char16_t* units, char* bytes, std::size_t length, CaseChange change, bool& capital_next) {
  bool changed = false;
  for (std::size_t i = 0; i < length;) {
    const bool pair = i + 1 < length && utf16::is_high_surrogate(units[i]) && utf16::is_low_surrogate(units[i + 1]);
    const std::size_t n = pair ? 2 : 1;
    const char32_t c = pair ? utf16::combine(units[i], units[i + 1]) : units[i];
    char32_t mapped = c;
    switch (change) {
      case CaseChange::upper: mapped = unicode::to_upper(c); break;
      case CaseChange::lower: mapped = unicode::to_lower(c); break;
      case CaseChange::mixed:
        mapped = capital_next ? unicode::to_title(c) : unicode::to_lower(c);
        capital_next = !unicode::is_letter(c) && !unicode::is_digit(c);
        break;
    }
    // A mapping to a character of another length (none is known) would move the text: keep it.
    if (mapped != c && (mapped > 0xFFFF) == pair) {
      if (pair) {
        units[i] = utf16::high_surrogate(mapped);
        units[i + 1] = utf16::low_surrogate(mapped);
      } else {
        units[i] = static_cast<char16_t>(mapped);
      }
      for (std::size_t k = i; k < i + n; ++k) bytes[k] = static_cast<char>(cp1252::from_unit(units[k]));
      changed = true;
    }
    i += n;
  }
  return changed;
}

}  // namespace

bool to_upper_case(CodePageText& text) { return CaseChanger(CaseChange::upper).apply(text); }
bool to_lower_case(CodePageText& text) { return CaseChanger(CaseChange::lower).apply(text); }
bool to_mixed_case(CodePageText& text) { return CaseChanger(CaseChange::mixed).apply(text); }

bool change_case(CodePageText& text, CaseChange change) {
  switch (change) {
    case CaseChange::upper: return to_upper_case(text);
    case CaseChange::lower: return to_lower_case(text);
    case CaseChange::mixed: return to_mixed_case(text);
  }
  return false;
}

std::string to_lower_case(std::string_view text) {
  std::string out(text);
  map_bytes(out.data(), out.data() + out.size(), lower_map);
  return out;
}

void lower_case_in_place(char* bytes, std::size_t size) { map_bytes(bytes, bytes + size, lower_map); }

bool CaseChanger::apply(CodePageText& piece) {
  char* const bytes = piece.text.data();
  char16_t* units = piece.foreign_units.data();
  bool changed = false;
  std::size_t done = 0;
  const auto bytes_up_to = [&](std::size_t end) {
    switch (change_) {
      case CaseChange::upper: changed |= map_bytes(bytes + done, bytes + end, upper_map); break;
      case CaseChange::lower: changed |= map_bytes(bytes + done, bytes + end, lower_map); break;
      case CaseChange::mixed: changed |= mix_bytes(bytes + done, bytes + end, capital_next_); break;
    }
    done = end;
  };
  for (const ForeignRun& run : piece.foreign) {
    bytes_up_to(run.offset);
    changed |= change_units(units, bytes + run.offset, run.length, change_, capital_next_);
    units += run.length;
    done = run.end();
  }
  bytes_up_to(piece.text.size());
  return changed;
}

}  // namespace text
