#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Clipboard text as the program works on it: 8-bit text in the ANSI code page, plus what the
// code page could not represent exactly, so that a rewrite puts those characters back.

namespace text {

// Conversion between UTF-16 and the ANSI code page. On Windows the system's conversions; in tests
// a code page 1252 stand-in.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Both give the empty result for an empty input, and also when the conversion fails.
  virtual std::string to_bytes(std::u16string_view units) const = 0;
  virtual std::u16string to_utf16(std::string_view bytes) const = 0;
  // True when the code page maps every UTF-16 unit to exactly one byte and every byte to exactly
  // one unit (code page 1252 and the other single-byte pages): conversions then stay aligned
  // unit for byte, and whole texts need no per-character calls.
  virtual bool single_byte() const = 0;
};

// Bytes [offset, offset + length) of a text that stand for `original`, which the code page did
// not represent exactly (its default character, or a look-alike such as "O" for "Ω").
struct ForeignRun {
  std::size_t offset = 0;
  std::size_t length = 0;
  std::u16string original;

  friend bool operator==(const ForeignRun&, const ForeignRun&) = default;
};

// The text a command works on, and the characters to put back when it is rewritten. A rewrite
// goes back to UTF-16 only through restore_foreign, which needs the whole ClipboardText.
struct ClipboardText {
  std::string text;
  std::vector<ForeignRun> foreign;  // by increasing offset, never overlapping
};

// Converts clipboard units to the ANSI code page (the text is exactly the code page's conversion
// of `units`) and records every character that did not survive the round trip. Nothing when the
// conversion failed.
std::optional<ClipboardText> make_clipboard_text(std::u16string_view units, const CodePage& code_page);

// The UTF-16 form of `rewritten`, a rewrite of `read.text`: every foreign run whose bytes the
// rewrite left unchanged gives back its original characters; everything else is the code page's
// conversion of the rewritten bytes. A rewrite of a different length keeps the runs that lie in
// the unchanged beginning or end of the text.
std::u16string restore_foreign(const ClipboardText& read, std::string_view rewritten,
                               const CodePage& code_page);

}  // namespace text
