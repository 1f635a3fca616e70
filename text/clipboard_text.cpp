#include "text/clipboard_text.h"

#include <algorithm>

namespace text {

namespace {

// Units of the character at units[i]: 2 for a surrogate pair, else 1.
std::size_t char_units(std::u16string_view units, std::size_t i) {
  const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
  const bool low_next = i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
  return high && low_next ? 2 : 1;
}

// A run paired with where it lands in the rewritten text.
struct Placed {
  std::size_t offset;
  const ForeignRun* run;
};

bool fits(const ForeignRun& run, std::size_t size) {
  return run.offset <= size && run.length <= size - run.offset;
}

std::vector<Placed> place_runs(const ClipboardText& read, std::string_view rewritten) {
  const std::string_view before = read.text;
  std::vector<Placed> placed;
  std::size_t previous_end = 0;
  const auto keep = [&](std::size_t offset, const ForeignRun& run) {
    placed.push_back({offset, &run});
    previous_end = run.offset + run.length;
  };

  if (rewritten.size() == before.size()) {
    for (const ForeignRun& run : read.foreign) {
      if (!fits(run, before.size()) || run.offset < previous_end) continue;
      if (rewritten.substr(run.offset, run.length) == before.substr(run.offset, run.length))
        keep(run.offset, run);
    }
    return placed;
  }

  // Different lengths: only the unchanged beginning and end of the text line up.
  const std::size_t shorter = std::min(before.size(), rewritten.size());
  const std::size_t prefix =
      static_cast<std::size_t>(std::mismatch(before.begin(), before.begin() + shorter, rewritten.begin()).first -
                               before.begin());
  const std::size_t suffix = static_cast<std::size_t>(
      std::mismatch(before.rbegin(), before.rbegin() + (shorter - prefix), rewritten.rbegin()).first -
      before.rbegin());
  const std::size_t tail_before = before.size() - suffix;
  const std::size_t tail_after = rewritten.size() - suffix;
  for (const ForeignRun& run : read.foreign) {
    if (!fits(run, before.size()) || run.offset < previous_end) continue;
    if (run.offset + run.length <= prefix)
      keep(run.offset, run);
    else if (run.offset >= tail_before)
      keep(run.offset - tail_before + tail_after, run);
  }
  return placed;
}

}  // namespace

std::optional<ClipboardText> make_clipboard_text(std::u16string_view units, const CodePage& code_page) {
  ClipboardText out;
  if (units.empty()) return out;
  out.text = code_page.to_bytes(units);
  if (out.text.empty()) return std::nullopt;

  const std::u16string back = code_page.to_utf16(out.text);
  if (back == units) return out;

  if (code_page.single_byte() && out.text.size() == units.size() && back.size() == units.size()) {
    for (std::size_t i = 0; i < units.size();) {
      const std::size_t n = char_units(units, i);
      if (units.substr(i, n) != std::u16string_view(back).substr(i, n))
        out.foreign.push_back({i, n, std::u16string(units.substr(i, n))});
      i += n;
    }
    return out;
  }

  // Multi-byte code page: find each character's bytes by converting it alone.
  std::string joined;
  joined.reserve(out.text.size());
  for (std::size_t i = 0; i < units.size();) {
    const std::size_t n = char_units(units, i);
    const std::u16string_view character = units.substr(i, n);
    i += n;
    if (n == 1 && character[0] < 0x80) {  // ASCII is the same in every ANSI code page
      joined += static_cast<char>(character[0]);
      continue;
    }
    const std::string bytes = code_page.to_bytes(character);
    if (code_page.to_utf16(bytes) != character)
      out.foreign.push_back({joined.size(), bytes.size(), std::u16string(character)});
    joined += bytes;
  }
  // Should characters convert differently alone than in the text, the only safe mapping left is
  // the whole text for the whole original.
  if (joined != out.text) out.foreign = {{0, out.text.size(), std::u16string(units)}};
  return out;
}

std::u16string restore_foreign(const ClipboardText& read, std::string_view rewritten,
                               const CodePage& code_page) {
  const std::vector<Placed> placed = place_runs(read, rewritten);
  if (placed.empty()) return code_page.to_utf16(rewritten);

  std::u16string out;
  std::size_t pos = 0;
  if (code_page.single_byte()) {
    const std::u16string whole = code_page.to_utf16(rewritten);
    if (whole.size() == rewritten.size()) {
      out.reserve(whole.size() + placed.size());
      for (const Placed& p : placed) {
        out.append(whole, pos, p.offset - pos);
        out += p.run->original;
        pos = p.offset + p.run->length;
      }
      out.append(whole, pos);
      return out;
    }
  }
  for (const Placed& p : placed) {
    out += code_page.to_utf16(rewritten.substr(pos, p.offset - pos));
    out += p.run->original;
    pos = p.offset + p.run->length;
  }
  out += code_page.to_utf16(rewritten.substr(pos));
  return out;
}

}  // namespace text
