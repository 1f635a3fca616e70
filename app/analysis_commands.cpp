#include "app/commands.h"

namespace app {

void command_count_characters(HWND) {}

void command_count_words(HWND) {}

void command_count_consonants(HWND) {}

void command_count_vowels(HWND) {}

void command_word_repetition(HWND) {}

}  // namespace app
