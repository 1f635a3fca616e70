#include "accents/accent_restoration.h"
#include "app/clipboard.h"
#include "app/commands.h"
#include "app/dictionary_loading.h"
#include "app/report.h"
#include "text/tokens.h"

namespace app {
namespace {

// Filled once at start-up, before the tray icon exists; only read afterwards.
accents::AccentDictionary& accent_dictionary() {
  static accents::AccentDictionary dictionary;
  return dictionary;
}

}  // namespace

void load_dictionary_at_start(HWND dialog, const std::wstring& path) {
  accent_dictionary() = load_dictionary_file(dialog, path);
}

void command_restore_accents(HWND dialog) {
  accents::AccentRestoration restoration;
  // No text (none, or the clipboard stayed busy): nothing is written, so a picture or whatever
  // else the clipboard holds stays there. The writer also leaves an unchanged text alone.
  if (const auto read = read_clipboard_text(dialog)) {
    restoration = accents::restore_accents(text::split_text(read->text), accent_dictionary());
    write_clipboard_text(dialog, *read, restoration.text);
  }
  show_report(accents::correction_report(restoration), MB_OK | MB_SYSTEMMODAL);
}

}  // namespace app
