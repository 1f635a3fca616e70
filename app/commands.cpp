#include "app/commands.h"

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "accents/accent_restoration.h"
#include "app/clipboard.h"
#include "app/dictionary_loading.h"
#include "app/report.h"
#include "text/case_conversion.h"
#include "text/repetition.h"
#include "text/report_text.h"

namespace app {
namespace {

constexpr std::string_view clipboard_busy_report =
    "No se ha podido escribir en el portapapeles; el texto no ha cambiado.";
constexpr std::string_view too_large_report = "El texto es demasiado grande para esta orden.";

// Filled once at start-up, before the tray icon exists; only read afterwards.
accents::AccentDictionary& accent_dictionary() {
  static accents::AccentDictionary dictionary;
  return dictionary;
}

// Writes a rewritten text back; false after telling the user that it could not be.
bool write_back(HWND dialog, const text::CodePageText& rewritten) {
  switch (write_clipboard_text(dialog, rewritten)) {
    case ClipboardWrite::written: return true;
    case ClipboardWrite::no_memory: show_report(too_large_report, MB_OK); return false;
    case ClipboardWrite::busy:
    case ClipboardWrite::failed: show_report(clipboard_busy_report, MB_OK); return false;
  }
  return false;
}

// No text on the clipboard, or none that could be read: a case command does nothing and shows
// nothing. An unchanged text is not written, so its rich versions stay on the clipboard.
template <bool (*change_case)(text::CodePageText&)>
void change_clipboard_case(HWND dialog) {
  auto read = read_clipboard_text(dialog);
  if (!read || read->text.empty()) return;
  if (change_case(*read)) write_back(dialog, *read);
}

// The count and repetition commands only read: no text counts as the empty text.
template <std::string (*report)(std::string_view)>
void report_on_clipboard(HWND dialog) {
  std::string shown;
  {
    const auto read = read_clipboard_text(dialog);
    shown = report(read ? std::string_view(read->text) : std::string_view());
  }
  // The text is gone before the box opens: a box may stay open for long, and more commands can
  // run on top of it meanwhile.
  show_report(shown, MB_OK);
}

void restore_clipboard_accents(HWND dialog) {
  accents::AccentCorrections corrections;
  // No text: nothing is written, so a picture or whatever else the clipboard holds stays there.
  if (auto read = read_clipboard_text(dialog)) {
    accents::restore_accents(*read, accent_dictionary(), corrections);
    if (corrections.count > 0 && !write_back(dialog, *read)) return;
  }
  show_report(accents::correction_report(corrections), MB_OK | MB_SYSTEMMODAL);
}

void quit(HWND dialog) { end_main_dialog(dialog); }

constexpr MenuRow separator{};

constexpr MenuRow rows[] = {
    {CommandId::upper_case, "Transformar a Mayusculas", change_clipboard_case<text::to_upper_case>},
    separator,
    {CommandId::mixed_case, "Transformar a Mixta", change_clipboard_case<text::to_mixed_case>},
    separator,
    {CommandId::lower_case, "Transformar a Minusculas", change_clipboard_case<text::to_lower_case>},
    separator,
    {CommandId::count_characters, "Contar total de caracteres", report_on_clipboard<text::characters_report>},
    separator,
    {CommandId::count_words, "Contar total de palabras \xF3 trozos", report_on_clipboard<text::word_fragments_report>},
    separator,
    {CommandId::count_consonants, "Contar total de consonantes", report_on_clipboard<text::consonants_report>},
    separator,
    {CommandId::count_vowels, "Contar total de vocales", report_on_clipboard<text::vowels_report>},
    separator,
    {CommandId::word_repetition, "Repetici\xF3n de palabras", report_on_clipboard<text::word_repetition_report>},
    separator,
    {CommandId::restore_accents, "Poner tilde", restore_clipboard_accents},
    separator,
    {CommandId::quit, "&Quitar", quit},
};

}  // namespace

std::span<const MenuRow> tray_menu_rows() { return rows; }

void run_command(HWND dialog, WORD id) {
  for (const MenuRow& row : rows) {
    if (row.run && static_cast<WORD>(row.id) == id) return run_row(dialog, row);
  }
}

void run_row(HWND dialog, const MenuRow& row) {
  // Every write to the clipboard comes after the last allocation of a command, so an
  // allocation that fails leaves the clipboard untouched.
  try {
    row.run(dialog);
  } catch (const std::bad_alloc&) {
    show_report(too_large_report, MB_OK);
  } catch (const std::length_error&) {
    show_report(too_large_report, MB_OK);
  }
}

void load_dictionary_at_start(HWND dialog, const std::wstring& path) {
  accent_dictionary() = load_dictionary_file(dialog, path);
}

}  // namespace app
