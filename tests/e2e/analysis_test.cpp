#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/command_ids.h"
#include "tests/e2e/harness.h"

namespace {

using e2e::outcome;

constexpr int count_characters = app::count_characters_command;
constexpr int count_words = app::count_words_command;
constexpr int count_consonants = app::count_consonants_command;
constexpr int count_vowels = app::count_vowels_command;
constexpr int word_repetition = app::word_repetition_command;

const std::wstring heading = L"Este trozo de texto tiene ";
const std::wstring more_repeated = L" palabra(s) m\x00E1s repetidas\r\n";
const std::wstring no_repetition = L"No Repite palabras claramente ...";

// Runs the command, reads its report box and closes it.
std::wstring report_of(e2e::program& program, int command) {
  if (program.command(command) != outcome::box_open) return L"(no report box)";
  const e2e::message_box box = program.find_report();
  EXPECT_EQ(box.title, e2e::report_title);
  EXPECT_TRUE(box.dismiss());
  return box.text;
}

TEST(Analysis, ReportsOnClipboardTextLeaveTheClipboardAsItWas) {
  e2e::program program;
  const struct {
    std::wstring clipboard;
    int command;
    std::wstring report;
  } cases[] = {
      {L"Hola\r\nmundo", count_characters, heading + L"11 caracteres"},
      {L"Hola\r\nmundo", count_words, heading + L"2 trozos de palabra(s) \x00F3 palabra(s)"},
      {L"Hola\r\nmundo", count_consonants, heading + L"5 consonantes"},
      {L"Hola\r\nmundo", count_vowels, heading + L"4 vocales"},
      {L"casa casa perro", word_repetition, heading + L"3" + more_repeated + L"casa,casa,perro"},
      {L"El perro y el gato", word_repetition, heading + L"3" + more_repeated + L"El,perro,gato"},
      {L"de la y que 2020", word_repetition, no_repetition},
      // Accented letters and ñ are one byte each; "Ñandú" begins with no ASCII letter.
      {L"\x00BFQu\x00E9 tal? 3er piso\r\nacci\x00F3n \x00D1" L"and\x00FA 5\x20AC", count_characters, heading + L"35 caracteres"},
      {L"\x00BFQu\x00E9 tal? 3er piso\r\nacci\x00F3n \x00D1" L"and\x00FA 5\x20AC", count_words,
       heading + L"5 trozos de palabra(s) \x00F3 palabra(s)"},
      {L"\x00BFQu\x00E9 tal? 3er piso\r\nacci\x00F3n \x00D1" L"and\x00FA 5\x20AC", count_consonants, heading + L"12 consonantes"},
      {L"\x00BFQu\x00E9 tal? 3er piso\r\nacci\x00F3n \x00D1" L"and\x00FA 5\x20AC", count_vowels, heading + L"11 vocales"},
      {L"\x00BFQu\x00E9 tal? 3er piso\r\nacci\x00F3n \x00D1" L"and\x00FA 5\x20AC", word_repetition,
       heading + L"6" + more_repeated + L"Qu\x00E9,tal,er,piso,acci\x00F3n,\x00D1" L"and\x00FA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.command);
    // Rich text beside the plain text: the commands only read, so every format stays.
    ASSERT_TRUE(e2e::set_clipboard_text(c.clipboard, {{e2e::html_format(), "<p>x</p>"}}));
    const auto formats = e2e::clipboard_formats();
    EXPECT_EQ(report_of(program, c.command), c.report);
    EXPECT_EQ(e2e::clipboard_text(), c.clipboard);
    EXPECT_EQ(e2e::clipboard_formats(), formats);
  }
  EXPECT_EQ(program.quit(), 0);
}

TEST(Analysis, RepetitionThresholdAtTenThousandTokens) {
  // 10,000 tokens ask for 42 occurrences: "casa" 42 times is listed, "perro" 41 times is not.
  std::wstring text = L"casa";
  for (int i = 1; i < 42; ++i) text += L".casa";
  for (int i = 0; i < 41; ++i) text += L".perro";
  text.append(10000 - (2 * 83 - 1), L'.');
  std::wstring listed = L"casa";
  for (int i = 1; i < 42; ++i) listed += L",casa";

  e2e::program program;
  ASSERT_TRUE(e2e::set_clipboard_text(text));
  EXPECT_EQ(report_of(program, word_repetition), heading + L"42" + more_repeated + listed);
  EXPECT_EQ(e2e::clipboard_text(), text);
  EXPECT_EQ(program.quit(), 0);
}

TEST(Analysis, NoTextOnTheClipboardGivesZeroReports) {
  e2e::program program;
  ASSERT_TRUE(e2e::set_clipboard({}));
  EXPECT_EQ(report_of(program, count_characters), heading + L"0 caracteres");
  EXPECT_EQ(report_of(program, count_words), heading + L"0 trozos de palabra(s) \x00F3 palabra(s)");
  EXPECT_EQ(report_of(program, count_consonants), heading + L"0 consonantes");
  EXPECT_EQ(report_of(program, count_vowels), heading + L"0 vocales");
  EXPECT_EQ(report_of(program, word_repetition), no_repetition);
  EXPECT_TRUE(e2e::clipboard_formats().empty());

  // A picture alone is no text either, and stays where it is.
  ASSERT_TRUE(e2e::set_clipboard_bitmap());
  const auto picture = e2e::clipboard_formats();
  EXPECT_EQ(report_of(program, count_characters), heading + L"0 caracteres");
  EXPECT_EQ(report_of(program, word_repetition), no_repetition);
  EXPECT_EQ(e2e::clipboard_formats(), picture);
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
