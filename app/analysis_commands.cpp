#include "app/commands.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "app/clipboard.h"
#include "app/report.h"
#include "text/counts.h"
#include "text/repetition.h"
#include "text/report_text.h"
#include "text/tokens.h"

namespace app {

namespace {

// No text on the clipboard, or a clipboard that cannot be read, counts as the empty text.
std::string clipboard_text(HWND dialog) {
  auto read = read_clipboard_text(dialog);
  return read ? std::move(read->text) : std::string();
}

// Every command drops the text and its tokens before its box opens: a box may stay open for
// long, and further commands can run on top of it meanwhile.
void show_count(std::int64_t count, std::string_view unit) { show_report(text::count_report(count, unit), MB_OK); }

std::int64_t count_word_fragments_of(std::string clipboard) {
  return text::count_word_fragments(text::prepare_tokens(clipboard, true));
}

std::string word_repetition_report_of(std::string clipboard) {
  return text::word_repetition_report(text::prepare_tokens(clipboard, true));
}

}  // namespace

void command_count_characters(HWND dialog) {
  show_count(text::count_characters(clipboard_text(dialog)), text::unit_characters);
}

void command_count_words(HWND dialog) {
  show_count(count_word_fragments_of(clipboard_text(dialog)), text::unit_word_fragments);
}

void command_count_consonants(HWND dialog) {
  show_count(text::count_consonants(clipboard_text(dialog)), text::unit_consonants);
}

void command_count_vowels(HWND dialog) { show_count(text::count_vowels(clipboard_text(dialog)), text::unit_vowels); }

void command_word_repetition(HWND dialog) { show_report(word_repetition_report_of(clipboard_text(dialog)), MB_OK); }

}  // namespace app
