#include "app/commands.h"

#include <string>
#include <string_view>

#include "app/clipboard.h"
#include "text/case_conversion.h"

namespace app {

namespace {

// With no text on the clipboard, or none that could be read, a case command does nothing; it
// never shows a box.
void rewrite_clipboard_case(HWND dialog, std::string (*convert)(std::string_view)) {
  const auto read = read_clipboard_text(dialog);
  if (!read || read->text.empty()) return;
  write_clipboard_text(dialog, *read, convert(read->text));
}

}  // namespace

void command_upper_case(HWND dialog) { rewrite_clipboard_case(dialog, text::to_upper_case); }

void command_lower_case(HWND dialog) { rewrite_clipboard_case(dialog, text::to_lower_case); }

void command_mixed_case(HWND dialog) { rewrite_clipboard_case(dialog, text::to_mixed_case); }

}  // namespace app
