#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using app::CommandId;
using enum app::CommandId;
using e2e::Outcome;

const std::wstring heading = L"Este trozo de texto tiene ";
const std::wstring more_repeated = L" palabra(s) m\x00E1s repetidas\r\n";
const std::wstring no_repetition = L"No Repite palabras claramente ...";
const std::wstring fragments = L" trozos de palabra(s) \u00F3 palabra(s)";

TEST(Analysis, ReportsOnClipboardTextLeaveTheClipboardAsItWas) {
  // Accented letters and ñ are one byte each, and words that begin with them count.
  const std::wstring spanish = L"\x00BFQu\x00E9 tal? 3er piso\r\nacci\x00F3n \u00D1and\x00FA 5\x20AC";
  e2e::Program program;
  const struct {
    std::wstring clipboard;
    CommandId command;
    std::wstring report;
  } cases[] = {
      {L"Hola\r\nmundo", count_characters, heading + L"11 caracteres"},
      {L"Hola\r\nmundo", count_words, heading + L"2 trozos de palabra(s) \x00F3 palabra(s)"},
      {L"Hola\r\nmundo", count_consonants, heading + L"5 consonantes"},
      {L"Hola\r\nmundo", count_vowels, heading + L"4 vocales"},
      {L"casa casa perro", word_repetition, heading + L"2" + more_repeated + L"casa,casa"},
      {L"El perro y el gato", word_repetition, no_repetition},
      {L"de la y que 2020", word_repetition, no_repetition},
      {spanish, count_characters, heading + L"35 caracteres"},
      {spanish, count_words, heading + L"6 trozos de palabra(s) \x00F3 palabra(s)"},
      {spanish, count_consonants, heading + L"12 consonantes"},
      {spanish, count_vowels, heading + L"11 vocales"},
      {spanish, word_repetition, no_repetition},
      // Ordinary Spanish: words that begin with accented letters, dialogue dashes, no-break
      // spaces, low and angle quotation marks; capitals at the start of sentences.
      {L"\u00E9l y ella", count_words, heading + L"3" + fragments},
      {L"\u00C1rbol \u00F1and\u00FA \u00D3scar \u00C1ngel", count_words, heading + L"4" + fragments},
      {L"\u2014Hola \u2014dijo \u00E9l\u2014.", count_words, heading + L"3" + fragments},
      {L"e-mail O'Neil \u201Euno\u201C \u201Ados\u2018 tres\u00A0cuatro \u2022cinco \u2013seis \u2039siete\u203A",
       count_words, heading + L"9" + fragments},
      {L"casa perro gato", word_repetition, no_repetition},
      {L"El perro. El gato.", word_repetition, no_repetition},
      {L"Casa casa CASA perro", word_repetition, heading + L"3" + more_repeated + L"Casa,casa,CASA"},
      {L"\u2014Perro \u2014dijo\u00A0perro\u2014.", word_repetition, heading + L"2" + more_repeated + L"Perro,perro"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << static_cast<int>(c.command));
    // Rich text beside the plain text: the commands only read, so every format stays.
    ASSERT_TRUE(desktop::set_clipboard_text(c.clipboard, {{desktop::html_format(), "<p>x</p>"}}));
    const auto formats = desktop::clipboard_formats();
    EXPECT_EQ(program.report(c.command), c.report);
    EXPECT_EQ(desktop::clipboard_text(), c.clipboard);
    EXPECT_EQ(desktop::clipboard_formats(), formats);
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

  e2e::Program program;
  ASSERT_TRUE(desktop::set_clipboard_text(text));
  EXPECT_EQ(program.report(word_repetition), heading + L"42" + more_repeated + listed);
  EXPECT_EQ(desktop::clipboard_text(), text);
  EXPECT_EQ(program.quit(), 0);
}

TEST(Analysis, NoTextOnTheClipboardGivesZeroReports) {
  e2e::Program program;
  ASSERT_TRUE(desktop::set_clipboard({}));
  EXPECT_EQ(program.report(count_characters), heading + L"0 caracteres");
  EXPECT_EQ(program.report(count_words), heading + L"0 trozos de palabra(s) \x00F3 palabra(s)");
  EXPECT_EQ(program.report(count_consonants), heading + L"0 consonantes");
  EXPECT_EQ(program.report(count_vowels), heading + L"0 vocales");
  EXPECT_EQ(program.report(word_repetition), no_repetition);
  EXPECT_TRUE(desktop::clipboard_formats().empty());

  // A picture alone is no text either, and stays where it is.
  ASSERT_TRUE(desktop::set_clipboard_bitmap());
  const auto picture = desktop::clipboard_formats();
  EXPECT_EQ(program.report(count_characters), heading + L"0 caracteres");
  EXPECT_EQ(program.report(word_repetition), no_repetition);
  EXPECT_EQ(desktop::clipboard_formats(), picture);
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
