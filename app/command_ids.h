#pragma once

// The tray menu's command ids, as they arrive in WM_COMMAND.

namespace app {

enum command_id : int {
  quit_command = 204,
  upper_case_command = 205,
  lower_case_command = 206,
  mixed_case_command = 208,
  count_characters_command = 209,
  count_words_command = 210,
  count_consonants_command = 211,
  count_vowels_command = 212,
  word_repetition_command = 213,
  restore_accents_command = 214,
};

}  // namespace app
