#pragma once

#include <windows.h>

#include <optional>

#include "text/code_page_text.h"

// The clipboard's Unicode text (CF_UNICODETEXT), exchanged as code page 1252 text with the
// characters the code page lacks kept beside it (text/code_page_text.h):
//
//   auto read = app::read_clipboard_text(dialog);
//   if (!read || read->text.empty()) return;          // no text, or unreadable: write nothing
//   if (text::to_upper_case(*read))
//     app::write_clipboard_text(dialog, *read);

namespace app {

// The clipboard's Unicode text up to its first zero unit. Nothing when the clipboard holds no
// Unicode text or could not be read (still busy after a few attempts within about 200 ms). An
// empty Unicode text gives an empty text, not nothing. `window` opens the clipboard; use the
// main dialog.
std::optional<text::CodePageText> read_clipboard_text(HWND window);

enum class ClipboardWrite {
  written,    // the clipboard now holds only the text
  busy,       // another program kept the clipboard: nothing changed
  no_memory,  // no memory for the text: nothing changed
  failed,     // the clipboard refused the text after it was emptied
};

// Replaces everything on the clipboard (rich text, HTML, 8-bit text ...) with `text` as Unicode
// text; the system offers the other plain-text formats from it. `window` becomes the
// clipboard's owner and must be a window of this thread (the main dialog).
ClipboardWrite write_clipboard_text(HWND window, const text::CodePageText& text);

}  // namespace app
