// The same text through the tray program's nine commands and through the command line program:
// the results must be the same.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/cli/run_program.h"
#include "tests/e2e/harness.h"

namespace {

using app::CommandId;
using e2e::Outcome;

std::string to_utf8(const std::wstring& text) {
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

// A report as the command line prints it: the box's text, ending in a line break.
std::string printed(const std::wstring& box_text) {
  std::string utf8 = to_utf8(box_text);
  if (!utf8.ends_with('\n')) utf8 += '\n';
  return utf8;
}

cli_test::RunResult tildario(const std::vector<std::string>& arguments) {
  return cli_test::run_program(cli_test::utf8_path(TILDARIO_CLI), arguments);
}

TEST(TrayAndCommandLine, EveryCommandGivesTheTraysResult) {
  const std::string dictionary =
      e2e::dictionary_file({"cami\xF3n", "c\xF3mo", "est\xE1", "\xE1rea", "m\xE1s", "aqu\xED"});
  const std::wstring text =
      L"\u00BFComo esta el camion? El camion esta aqui.\r\n"
      L"Gda\u0144sk \U0001F600 \u03A9mega, AREA y mas area: el camion, la casa, la CASA "
      L"\u2014dijo\u00A0\u00E9l\u2014.\r\n"
      L"3er piso 2\u00AA planta o'neil \u4E2D\u6587 \u0142\u00F3d\u017A\r\n";
  const cli_test::ScratchFolder folder("tildario-tray-and-cli");
  const std::string text_file = cli_test::utf8_name(folder.write("texto.txt", to_utf8(text)));
  const std::string dictionary_file = cli_test::utf8_name(folder.write("diccionario.log", dictionary));

  e2e::StartOptions options;
  options.dictionary = dictionary;
  e2e::Program program(options);
  const struct {
    CommandId id;
    const char* name;
  } rewrites[] = {
      {CommandId::upper_case, "mayusculas"}, {CommandId::mixed_case, "mixta"}, {CommandId::lower_case, "minusculas"}};
  for (const auto& c : rewrites) {
    SCOPED_TRACE(c.name);
    // Under Wine, right after a new X server has started, the first text the program puts on
    // the clipboard has been seen to come back empty: the exchange is tried up to three times.
    std::optional<std::wstring> rewritten;
    for (int attempt = 0; attempt < 3 && !rewritten; ++attempt) {
      if (attempt > 0) Sleep(500);
      ASSERT_TRUE(desktop::set_clipboard_text(text));
      EXPECT_EQ(program.command(c.id), Outcome::finished);
      rewritten = desktop::clipboard_text();
    }
    ASSERT_TRUE(rewritten);
    const cli_test::RunResult run = tildario({c.name, text_file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, to_utf8(*rewritten));
  }

  const struct {
    CommandId id;
    const char* name;
  } reports[] = {{CommandId::count_characters, "caracteres"},
                 {CommandId::count_words, "palabras"},
                 {CommandId::count_consonants, "consonantes"},
                 {CommandId::count_vowels, "vocales"},
                 {CommandId::word_repetition, "repeticion"}};
  for (const auto& c : reports) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(desktop::set_clipboard_text(text));
    const std::wstring box = program.report(c.id);
    const cli_test::RunResult run = tildario({c.name, text_file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, printed(box));
  }

  ASSERT_TRUE(desktop::set_clipboard_text(text));
  EXPECT_EQ(program.command(CommandId::restore_accents), Outcome::box_open);
  const desktop::MessageBoxWindow box = program.find_report();
  ASSERT_TRUE(box);
  EXPECT_TRUE(box.dismiss());
  const auto restored = desktop::clipboard_text();
  ASSERT_TRUE(restored);
  EXPECT_NE(*restored, text);
  const cli_test::RunResult run = tildario({"tilde", "--diccionario", dictionary_file, text_file});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, to_utf8(*restored));
  EXPECT_EQ(run.err, printed(box.text));
  EXPECT_EQ(program.quit(), 0);
}

// The tray's "Poner tilde" keeps to the dictionary alone, even with a context model beside it;
// the context is the command line's option.
TEST(TrayAndCommandLine, TheTrayKeepsToTheDictionaryAndTheContextIsAnOption) {
  std::ifstream dictionary_in(TILDARIO_REAL_DICTIONARY, std::ios::binary);
  ASSERT_TRUE(dictionary_in) << "scripts/make-dictionary.sh makes " TILDARIO_REAL_DICTIONARY;
  e2e::StartOptions options;
  options.dictionary = std::string(std::istreambuf_iterator<char>(dictionary_in), {});
  e2e::Program program(options);
  std::filesystem::copy_file(TILDARIO_REAL_CONTEXT_MODEL, std::filesystem::path(program.folder()) / L"contexto.dat");

  const std::wstring text = L"La funcion esta disponible.\r\n\u00BFQue es una macro?";
  const std::wstring alone = L"La funci\u00F3n esta disponible.\r\n\u00BFQue es una macro?";
  const std::wstring in_context = L"La funci\u00F3n est\u00E1 disponible.\r\n\u00BFQu\u00E9 es una macro?";
  ASSERT_TRUE(desktop::set_clipboard_text(text));
  EXPECT_EQ(program.command(CommandId::restore_accents), Outcome::box_open);
  const desktop::MessageBoxWindow box = program.find_report();
  ASSERT_TRUE(box);
  EXPECT_TRUE(box.dismiss());
  EXPECT_EQ(desktop::clipboard_text(), alone);

  const cli_test::ScratchFolder folder("tildario-tray-and-context");
  const std::string text_file = cli_test::utf8_name(folder.write("texto.txt", to_utf8(text)));
  const cli_test::RunResult without = tildario({"tilde", "-q", "--diccionario", TILDARIO_REAL_DICTIONARY, text_file});
  EXPECT_EQ(without.status, 0) << without.err;
  EXPECT_EQ(without.out, to_utf8(alone));
  const cli_test::RunResult with = tildario(
      {"tilde", "-q", "--diccionario", TILDARIO_REAL_DICTIONARY, "--contexto=" TILDARIO_REAL_CONTEXT_MODEL, text_file});
  EXPECT_EQ(with.status, 0) << with.err;
  EXPECT_EQ(with.out, to_utf8(in_context));
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
