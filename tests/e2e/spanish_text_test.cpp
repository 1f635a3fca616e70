#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

// "Poner tilde" on ordinary Spanish as users copy it (dialogue dashes, no-break spaces, low
// quotation marks), an honest report when the clipboard cannot be written, and the system code
// page the locale runs give.

namespace {

using app::CommandId;
using e2e::Outcome;

TEST(SpanishText, PonerTildeCorrectsTheFirstWordOfDialogueAndQuotedWords) {
  e2e::StartOptions options;
  // clang-format off
  options.dictionary = e2e::dictionary_file({"tambi\xE9n", "vendr\xE1", "mar\xED" "a", "canci\xF3n"});
  // clang-format on
  e2e::Program program(options);
  const struct {
    std::wstring text, restored;
  } cases[] = {
      {L"\u2014Tambien vendra \u2014dijo Maria\u2014.", L"\u2014Tambi\u00E9n vendr\u00E1 \u2014dijo Mar\u00EDa\u2014."},
      {L"la cancion\u00A0tambien \u201ETambien\u201C \u201AMaria\u2018 \u2013cancion\u2013 \u2022cancion",
       L"la canci\u00F3n\u00A0tambi\u00E9n \u201ETambi\u00E9n\u201C \u201AMar\u00EDa\u2018 \u2013canci\u00F3n\u2013 "
       L"\u2022canci\u00F3n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    ASSERT_TRUE(desktop::set_clipboard_text(c.text));
    ASSERT_EQ(program.command(CommandId::restore_accents), Outcome::box_open);
    EXPECT_TRUE(program.find_report().dismiss());
    EXPECT_EQ(desktop::clipboard_text(), c.restored);
  }
  EXPECT_EQ(program.quit(), 0);
}

// The clipboard is taken by another program between the command's read and its write.
TEST(SpanishText, AClipboardThatCannotBeWrittenIsReportedAndKeepsItsText) {
  e2e::StartOptions options;
  options.dictionary = e2e::dictionary_file({"cami\xF3n"});
  e2e::Program program(options);
  // Long enough (14 MB) that the command is still at work when the clipboard is taken: the
  // taking spins on OpenClipboard from the moment the program's read is under way.
  std::wstring text;
  for (int i = 0; i < 2000000; ++i) text += L"camion ";
  for (const CommandId command : {CommandId::restore_accents, CommandId::upper_case}) {
    SCOPED_TRACE(static_cast<int>(command));
    e2e::ClipboardGrabber grab(text, 10000);
    ASSERT_TRUE(grab.ready());
    EXPECT_EQ(program.command(command, 60000), Outcome::box_open);
    EXPECT_TRUE(grab.grabbed());
    const desktop::MessageBoxWindow box = program.find_report();
    EXPECT_EQ(box.text, L"No se ha podido escribir en el portapapeles; el texto no ha cambiado.");
    EXPECT_TRUE(box.dismiss());
    EXPECT_TRUE(program.no_report(0));
  }
  EXPECT_EQ(program.quit(), 0);
}

// The same tests run again under Russian and Japanese locales: this proves they really did.
TEST(CodePage, TheSystemCodePageIsTheLocales) {
  wchar_t locale[64] = {};
  GetEnvironmentVariableW(L"TILDARIO_EXPECTED_ACP", locale, 64);
  const std::wstring expected = locale;
  const UINT code_page = expected.starts_with(L"ru_RU") ? 1251 : expected.starts_with(L"ja_JP") ? 932 : 1252;
  EXPECT_EQ(GetACP(), code_page);
}

}  // namespace
