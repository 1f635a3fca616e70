#pragma once

#include <windows.h>

#include <string>

// The tray menu's commands. run_command hands each command id to one function below; each
// command reads the clipboard itself and runs to completion before returning.
//
//   case_commands.cpp      205, 206, 208
//   analysis_commands.cpp  209 to 213
//   accent_commands.cpp    214, and the dictionary loading at start-up
//   commands.cpp           204 and the dispatch table

namespace app {

// Runs the command `id`; unknown ids do nothing.
void run_command(HWND dialog, int id);

// 204 "&Quitar": removes the tray icon and destroys the dialog, which ends the message loop.
void end_main_dialog(HWND dialog);

void command_upper_case(HWND dialog);        // 205 "Transformar a Mayusculas"
void command_lower_case(HWND dialog);        // 206 "Transformar a Minusculas"
void command_mixed_case(HWND dialog);        // 208 "Transformar a Mixta"
void command_count_characters(HWND dialog);  // 209 "Contar total de caracteres"
void command_count_words(HWND dialog);       // 210 "Contar total de palabras ó trozos"
void command_count_consonants(HWND dialog);  // 211 "Contar total de consonantes"
void command_count_vowels(HWND dialog);      // 212 "Contar total de vocales"
void command_word_repetition(HWND dialog);   // 213 "Repetición de palabras"
void command_restore_accents(HWND dialog);   // 214 "Poner tilde"

// Called once at start-up, before the tray icon appears, when `path` (diccionario.log beside the
// executable) exists.
void load_dictionary_at_start(HWND dialog, const std::wstring& path);

}  // namespace app
