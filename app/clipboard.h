#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "text/clipboard_text.h"

// The clipboard's Unicode text (CF_UNICODETEXT) exchanged as text in the system ANSI code page.
//
// A command reads, works on read->text, and hands its result back together with what it read:
//
//   const auto read = app::read_clipboard_text(dialog);
//   if (!read || read->text.empty()) return;            // no text, or unreadable: write nothing
//   app::write_clipboard_text(dialog, *read, text::to_upper_case(read->text));
//
// The writer puts back every character the code page lacks (emoji, arrows, Greek, Chinese ...)
// wherever the rewrite left its stand-in bytes ("?", or a look-alike such as "O" for "Ω") alone.

namespace app {

// The clipboard's Unicode text up to its first zero unit. Nothing when the clipboard holds no
// Unicode text or could not be read (still busy after a few attempts within about 200 ms). An
// empty Unicode text gives an empty text, not nothing. `window` opens the clipboard; use the
// main dialog.
std::optional<text::ClipboardText> read_clipboard_text(HWND window);

enum class ClipboardWrite {
  written,    // the clipboard now holds only the rewritten text
  unchanged,  // the rewrite equals the text read: the clipboard was left as it was
  failed,     // nothing was written: the clipboard was busy, or memory ran out
};

// Replaces everything on the clipboard (rich text, HTML, 8-bit text ...) with `rewritten`, a
// rewrite of `read`, as Unicode text; the system offers the other plain-text formats from it.
// Writes nothing when `rewritten` equals read.text. `window` becomes the clipboard's owner and
// must be a window of this thread (the main dialog).
ClipboardWrite write_clipboard_text(HWND window, const text::ClipboardText& read, std::string_view rewritten);

}  // namespace app
