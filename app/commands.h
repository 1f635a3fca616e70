#pragma once

#include <windows.h>

#include <span>
#include <string>

// The tray menu: one row per entry, top to bottom. The menu is built from the rows, WM_COMMAND
// is dispatched through them, and the tests name the ids below. A command runs to completion,
// its clipboard write included, before it returns or opens a box.

namespace app {

enum class CommandId : WORD {
  quit = 204,
  upper_case = 205,
  lower_case = 206,
  mixed_case = 208,
  count_characters = 209,
  count_words = 210,
  count_consonants = 211,
  count_vowels = 212,
  word_repetition = 213,
  restore_accents = 214,
};

struct MenuRow {
  CommandId id;
  const char* caption;       // code page 1252; none for a separator
  void (*run)(HWND dialog);  // none for a separator
};

std::span<const MenuRow> tray_menu_rows();

// Runs the command of menu id `id`; other ids do nothing.
void run_command(HWND dialog, WORD id);

// Runs one row's command. A text too large for the memory the command needs ends in a box that
// says so, with the clipboard as it was.
void run_row(HWND dialog, const MenuRow& row);

// Called once at start-up, before the tray icon appears, when `path` (diccionario.log beside the
// executable) exists.
void load_dictionary_at_start(HWND dialog, const std::wstring& path);

// "&Quitar": removes the tray icon and destroys the dialog, which ends the message loop.
void end_main_dialog(HWND dialog);

}  // namespace app
