#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text as the program works on it: one code page 1252 byte for each UTF-16 unit, and beside the
// bytes the units that the code page could not hold, so that every rewrite gives them back.
//
//   text::CodePageText t = text::from_utf16(u"Gdańsk 😀");   // t.text == "Gdansk ??"
//   text::to_upper_case(t);                                  // case_conversion.h
//   text::to_utf16(t) == u"GDAŃSK 😀"

namespace text {

// Bytes [offset, offset + length) of a text stand in for as many units that the code page
// cannot hold (a look-alike such as "n" for "ń", or "?"). Neighbouring characters share a run.
struct ForeignRun {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;

  std::uint32_t end() const { return offset + length; }
  friend bool operator==(const ForeignRun&, const ForeignRun&) = default;
};

struct CodePageText {
  std::string text;
  std::vector<ForeignRun> foreign;  // by offset, neither overlapping nor touching
  std::u16string foreign_units;     // the runs' own units, run after run
};

// Each unit becomes one byte (cp1252::from_unit), so offsets in the text are offsets in the
// units too. Texts of 4 GiB or more throw std::length_error.
CodePageText from_utf16(std::u16string_view units);

// Appends `units` to `text` the same way; a run of foreign units continues one that ended at the
// join. Used to build a text piece by piece.
void append_utf16(CodePageText& text, std::u16string_view units);

// Records `unit`, which the code page cannot hold, as standing at byte `offset`, the end of the
// text's foreign runs so far: the run that ends there takes it, or a new run begins. For
// readers that put the bytes in place themselves.
void add_foreign_unit(CodePageText& text, std::size_t offset, char16_t unit);

// The UTF-16 form of the text: the code page's character for each byte, the foreign units where
// their runs are. Always exactly text.text.size() units; write_utf16 writes them at `out`.
void write_utf16(const CodePageText& text, char16_t* out);
std::u16string to_utf16(const CodePageText& text);

// Moves bytes [offset, end) of `text`, with their foreign units, into a text of their own, so that
// a long text can go through a command in pieces. A run cut by `offset` is split (a cut between
// the two halves of a surrogate pair would split the character: callers cut elsewhere).
CodePageText split_off(CodePageText& text, std::size_t offset);

// True when byte positions [offset, offset + length) hold no foreign unit.
bool all_in_code_page(const CodePageText& text, std::size_t offset, std::size_t length);

}  // namespace text
