#include "app/commands.h"

#include "app/command_ids.h"

namespace app {
namespace {

void command_quit(HWND dialog) { end_main_dialog(dialog); }

struct command {
  int id;
  void (*run)(HWND dialog);
};

constexpr command commands[] = {
    {quit_command, command_quit},
    {upper_case_command, command_upper_case},
    {lower_case_command, command_lower_case},
    {mixed_case_command, command_mixed_case},
    {count_characters_command, command_count_characters},
    {count_words_command, command_count_words},
    {count_consonants_command, command_count_consonants},
    {count_vowels_command, command_count_vowels},
    {word_repetition_command, command_word_repetition},
    {restore_accents_command, command_restore_accents},
};

}  // namespace

void run_command(HWND dialog, int id) {
  for (const command& c : commands) {
    if (c.id == id) {
      c.run(dialog);
      return;
    }
  }
}

}  // namespace app
