// The tildario program run as a user runs it: arguments, files, standard input, and what comes
// out on standard output, standard error and in the exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/context_model.h"
#include "accents/dictionary_file.h"
#include "accents/dictionary_index.h"
#include "accents/dictionary_loader.h"
#include "tests/cli/run_program.h"
#include "text/case_conversion.h"
#include "text/utf8.h"

namespace {

using cli_test::RunResult;

const std::filesystem::path program = cli_test::utf8_path(TILDARIO_CLI);

RunResult tildario(const std::vector<std::string>& arguments, std::string_view input = {}) {
  return cli_test::run_program(program, arguments, input);
}

std::string name_of(const std::filesystem::path& path) { return cli_test::utf8_name(path); }

std::string dictionary_file(const std::vector<std::string>& words) {
  std::string file;
  for (const auto& w : words)
    if (const auto record = accents::encode_record(w))
      file.append(reinterpret_cast<const char*>(record->data()), record->size());
  return file;
}

// Code page 1252: camión cómo está área más.
const std::string small_dictionary = dictionary_file({"cami\xF3n", "c\xF3mo", "est\xE1", "\xE1rea", "m\xE1s"});

// The dictionary and the context model the build makes (scripts/make-dictionary.sh).
const std::string real_dictionary = TILDARIO_REAL_DICTIONARY;
const std::string real_context_model = TILDARIO_REAL_CONTEXT_MODEL;

std::string report(std::string_view count, std::string_view unit) {
  // clang-format off
  return "Este trozo de texto tiene " + std::string(count) + " " + std::string(unit) + "\n";
  // clang-format on
}

const std::string words_unit = "trozos de palabra(s) \xC3\xB3 palabra(s)";
const std::string no_corrections =
    "Encontradas 0 palabras a las que se le ha puesto t\xC3\xADlde ortogr\xC3\xA1"
    "fica ...\n";

void expect_one_line_error(const RunResult& run, const std::string& mentions) {
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_TRUE(run.err.starts_with("tildario: ")) << run.err;
  EXPECT_TRUE(run.err.ends_with("\n"));
  EXPECT_NE(run.err.find(mentions), std::string::npos) << run.err;
}

TEST(CommandLine, HelpListsEveryCommandAndVersionGivesTheProjectVersion) {
  const RunResult help = tildario({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* command : {"mayusculas", "minusculas", "mixta", "tilde", "caracteres", "palabras", "consonantes",
                              "vocales", "repeticion"}) {
    SCOPED_TRACE(command);
    // clang-format off
    EXPECT_NE(help.out.find("\n  " + std::string(command) + " "), std::string::npos);
    // clang-format on
  }
  const RunResult version = tildario({"--version"});
  EXPECT_EQ(version.status, 0);
  const std::string number = TILDARIO_VERSION;
  EXPECT_EQ(version.out, number.empty() ? "tildario\n" : "tildario " + number + "\n");
}

TEST(CommandLine, BadArgumentsAndUnreadableFilesGiveOneLineAndStatusTwo) {
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::string readable = name_of(folder.write("ok.txt", "hola"));
  const std::string missing = name_of(folder.path() / "falta.txt");
  const struct {
    std::vector<std::string> arguments;
    std::string mentions;
  } cases[] = {
      {{}, "orden"},
      {{"contar"}, "contar"},
      {{"MAYUSCULAS"}, "MAYUSCULAS"},
      {{"-x", "palabras"}, "-x"},
      {{"tilde", "--diccionario"}, "--diccionario"},
      {{"palabras", missing}, missing},
      // Every file is checked before anything is written.
      {{"mayusculas", readable, missing}, missing},
      {{"caracteres", name_of(folder.path())}, name_of(folder.path())},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const RunResult run = tildario(c.arguments, "hola");
    expect_one_line_error(run, c.mentions);
    EXPECT_EQ(run.out, "");
  }
}

// Invalid UTF-8 is named with its file and the offset of its first byte, counted from 0; what
// came before it in the text is written.
TEST(CommandLine, InvalidUtf8IsNamedWithFileAndOffset) {
  const cli_test::ScratchFolder folder("tildario-cli");
  // clang-format off
  const struct {
    std::string first, second;  // the second file holds the fault when it is not empty
    std::string faulty_name;
    std::size_t offset;
    std::string upper;  // what mayusculas writes before stopping
  } cases[] = {
      {"hola caf\xE9", "", "a.txt", 8, "HOLA CAF"},                   // Latin-1, not UTF-8
      {"ab\xC0\xAF" "cd", "", "a.txt", 2, "AB"},                      // overlong '/'
      {"x\xED\xA0\x80", "", "a.txt", 1, "X"},                         // a surrogate
      {"\xF4\x90\x80\x80", "", "a.txt", 0, ""},                       // past U+10FFFF
      {"ni\xC3\xB1o \xE2\x82", "", "a.txt", 6, "NI\xC3\x91O "},        // cut at the end of the file
      {"\xEF\xBB\xBF" "a\x80", "", "a.txt", 4, "\xEF\xBB\xBF" "A"},    // offsets count the BOM
      {"uno ", "dos \xFF", "b.txt", 4, "UNO DOS "},
      {"cami\xC3", "\xB3n", "a.txt", 4, "CAMI"},                      // a character split between files
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.first + "|" + c.second));
    std::vector<std::string> files{name_of(folder.write("a.txt", c.first))};
    if (!c.second.empty()) files.push_back(name_of(folder.write("b.txt", c.second)));
    for (const std::string command : {"mayusculas", "palabras"}) {
      SCOPED_TRACE(command);
      std::vector<std::string> arguments{command};
      arguments.insert(arguments.end(), files.begin(), files.end());
      const RunResult run = tildario(arguments);
      expect_one_line_error(run, c.faulty_name);
      // clang-format off
      EXPECT_NE(run.err.find("byte " + std::to_string(c.offset) + " "), std::string::npos) << run.err;
      // clang-format on
      EXPECT_EQ(run.out, command == std::string("mayusculas") ? c.upper : "");
    }
  }
  // Standard input has no file name; it is still named.
  const RunResult run = tildario({"minusculas"}, "ABC\xC3");
  expect_one_line_error(run, "entrada est\xC3\xA1ndar");
  EXPECT_NE(run.err.find("byte 3 "), std::string::npos) << run.err;
}

// UTF-8 in, UTF-8 out: a byte-order mark, line breaks and characters the code page lacks pass
// through; several files are one text; "-" is standard input.
TEST(CommandLine, TextComesBackAsItWentIn) {
  const cli_test::ScratchFolder folder("tildario-cli");
  // clang-format off
  const struct {
    std::vector<std::string> files;  // contents; none: standard input
    std::string input;
    std::string command;
    std::string out;
  } cases[] = {
      {{}, "hola mundo", "mayusculas", "HOLA MUNDO"},  // no final line break, none added
      {{}, "", "mayusculas", ""},
      {{""}, "", "minusculas", ""},
      {{}, "uno\r\ndos\nTRES\r\n\r\n", "mixta", "Uno\r\nDos\nTres\r\n\r\n"},
      {{}, "\xEF\xBB\xBF" "acci\xC3\xB3n", "mayusculas", "\xEF\xBB\xBF" "ACCI\xC3\x93N"},
      {{}, "\xEF\xBB\xBF", "minusculas", "\xEF\xBB\xBF"},
      {{}, "Gda\xC5\x84sk \xF0\x9F\x98\x80 \xE4\xB8\xAD \xCF\x89mega \xE2\x82\xAC", "mayusculas",
       "GDA\xC5\x83SK \xF0\x9F\x98\x80 \xE4\xB8\xAD \xCE\xA9MEGA \xE2\x82\xAC"},
      {{}, "\xC5\x81\xC3\x93" "D\xC5\xB9 \xC3\x91" "ANDU", "mixta", "\xC5\x81\xC3\xB3" "d\xC5\xBA \xC3\x91" "andu"},
      {{}, std::string("\xC2\x81\xC2\x9D x\0y", 8), "mayusculas", std::string("\xC2\x81\xC2\x9D X\0Y", 8)},
      // Files are one text: a word goes on across a file's end, an empty file is nothing.
      {{"ho", "", "la MUNDO"}, "", "mixta", "Hola Mundo"},
      {{"uno\n", "\xEF\xBB\xBF" "dos"}, "", "mayusculas", "UNO\n\xEF\xBB\xBF" "DOS"},  // a BOM inside stays a character
      {{"a ", "-", "c"}, "b ", "mayusculas", "A B C"},
      {{}, "ho", "caracteres", report("2", "caracteres")},
      {{}, "\xEF\xBB\xBF" "uno\r\ndos", "caracteres", report("8", "caracteres")},  // the BOM is no character
      {{}, "\xF0\x9F\x98\x80\xE2\x82\xAC", "caracteres", report("3", "caracteres")},  // counted as UTF-16 units
      {{}, "", "palabras", report("0", words_unit)},
      {{"\xC3\xA9l y ", "ella 3er"}, "", "palabras", report("4", words_unit)},
      {{}, "Murci\xC3\xA9lago", "vocales", report("5", "vocales")},
      {{}, "Murci\xC3\xA9lago", "consonantes", report("5", "consonantes")},
      {{}, "", "repeticion", "No Repite palabras claramente ...\n"},
      {{}, "Casa casa\nCASA perro", "repeticion",
       "Este trozo de texto tiene 3 palabra(s) m\xC3\xA1s repetidas\r\nCasa,casa,CASA\n"},
  };
  // clang-format on
  for (const auto& c : cases) {
    // clang-format off
    SCOPED_TRACE(testing::PrintToString(c.files) + " " + testing::PrintToString(c.input) + " " + c.command);
    // clang-format on
    std::vector<std::string> arguments{c.command};
    for (std::size_t i = 0; i < c.files.size(); ++i)
      arguments.push_back(c.files[i] == "-" ? "-" : name_of(folder.write(std::to_string(i) + ".txt", c.files[i])));
    const RunResult run = tildario(arguments, c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, c.out);
  }
}

TEST(CommandLine, FileNamesOutsideTheAnsiCodePage) {
  const cli_test::ScratchFolder folder("tildario-cli-\xC3\xB1");
  // clang-format off
  const std::filesystem::path file = folder.write("a\xC3\xB1o \xCE\xA9 \xE4\xB8\xAD.txt", "pi\xC3\xB1" "a");
  // clang-format on
  const RunResult run = tildario({"mayusculas", name_of(file)});
  EXPECT_EQ(run.status, 0) << run.err;
  // clang-format off
  EXPECT_EQ(run.out, "PI\xC3\x91" "A");
  // clang-format on
  const RunResult missing = tildario({"mayusculas", name_of(folder.path() / cli_test::utf8_path("\xCE\xA9.txt"))});
  expect_one_line_error(missing, "\xCE\xA9.txt");
}

TEST(CommandLine, TildeWritesTheTextAndReportsOnStandardError) {
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::string dictionary = name_of(folder.write("d.log", small_dictionary));
  // clang-format off
  const std::string text = "\xC2\xBF" "Como esta el CAMION?\r\nArea, mas \xF0\x9F\x98\x80 camion\xCE\xA9";
  // clang-format on
  const std::string restored =
      "\xC2\xBF"
      "C\xC3\xB3mo est\xC3\xA1 el CAMI\xC3\x93N?\r\n\xC3\x81rea, m\xC3\xA1s \xF0\x9F\x98\x80 camion\xCE\xA9";
  const std::string full_report =
      "Encontradas 5 palabras a las que se le ha puesto t\xC3\xADlde ortogr\xC3\xA1"
      "fica ...\r\n"
      "Ya puedes pegar el texto con las t\xC3\xADldes correg\xC3\xAD"
      "das ...\r\n"
      "c\xC3\xB3mo\r\nest\xC3\xA1\r\ncami\xC3\xB3n\r\n\xC3\xA1rea\r\nm\xC3\xA1s\r\n";

  const struct {
    std::vector<std::string> options;
    std::string out, err;
  } cases[] = {
      {{"--diccionario", dictionary}, restored, full_report},
      {{"--diccionario=" + dictionary}, restored, full_report},
      {{"-q", "--diccionario", dictionary}, restored, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    std::vector<std::string> arguments = c.options;
    arguments.push_back("tilde");
    const RunResult run = tildario(arguments, text);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }

  // No usable dictionary: said in one line, and the text comes out uncorrected.
  const std::string missing = name_of(folder.path() / "falta.log");
  const std::string broken = name_of(folder.write("roto.log", small_dictionary + "x"));
  for (const std::string& path : {missing, broken}) {
    SCOPED_TRACE(path);
    const RunResult run = tildario({"tilde", "--diccionario", path}, text);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, text);
    ASSERT_TRUE(run.err.starts_with("tildario: ")) << run.err;
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_EQ(run.err.substr(run.err.find('\n') + 1), no_corrections);
  }
}

// Without --diccionario: beside the program (a portable copy), then share/tildario beside its
// bin folder (an install under any prefix); nothing else, no folder of the machine it was built on.
TEST(CommandLine, TheDictionaryIsFoundBesideTheProgramOrInItsShareFolder) {
  const struct {
    const char* program_folder;
    const char* dictionary_folder;
    bool found;
  } cases[] = {
      {"", "", true},
      {"bin", "share/tildario", true},
      {"usr/local/bin", "usr/local/share/tildario", true},
      {"bin", "share", false},
      {"bin", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.program_folder) + " " + c.dictionary_folder);
    const cli_test::ScratchFolder folder("tildario-cli");
    std::filesystem::create_directories(folder.path() / c.program_folder);
    std::filesystem::create_directories(folder.path() / c.dictionary_folder);
    const std::filesystem::path copy = folder.path() / c.program_folder / program.filename();
    std::filesystem::copy_file(program, copy);
    folder.write((std::filesystem::path(c.dictionary_folder) / "diccionario.log").generic_string(), small_dictionary);
    const RunResult run = cli_test::run_program(copy, {"tilde", "-q"}, "como esta");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, c.found ? "c\xC3\xB3mo est\xC3\xA1" : "como esta");
    EXPECT_EQ(run.err.empty(), c.found) << run.err;
  }
}

// The ready index beside the dictionary answers in its place, for that very file only. This
// one is made from other words for the file, so the answers show which of the two was read.
TEST(CommandLine, TheIndexBesideTheDictionaryServesOnlyTheFileItWasMadeFrom) {
  const auto bytes = [](const std::string& s) {
    return std::span(reinterpret_cast<const unsigned char*>(s.data()), s.size());
  };
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::string dictionary = name_of(folder.write("d.log", small_dictionary));
  const std::string other = dictionary_file({"c\xF3mo"});
  const auto index = accents::make_dictionary_index(accents::load_accent_dictionary(bytes(other)).dictionary,
                                                    accents::fingerprint_of(bytes(small_dictionary)));
  folder.write("d.idx", std::string(index.begin(), index.end()));
  // Same length, other bytes: a dictionary of the user's own in place of the one indexed.
  const std::string replaced = dictionary_file({"cami\xF3n", "c\xF3mo", "est\xE1", "\xE1rea", "m\xE1z"});
  ASSERT_EQ(replaced.size(), small_dictionary.size());

  const struct {
    const char* what;
    std::string file, index, restored;
  } cases[] = {
      {"index of this file", small_dictionary, std::string(index.begin(), index.end()), "c\xC3\xB3mo esta"},
      {"index of another file", replaced, std::string(index.begin(), index.end()), "c\xC3\xB3mo est\xC3\xA1"},
      {"damaged index", small_dictionary, std::string(index.begin(), index.end() - 1), "c\xC3\xB3mo est\xC3\xA1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    folder.write("d.log", c.file);
    folder.write("d.idx", c.index);
    const RunResult run = tildario({"tilde", "-q", "--diccionario", dictionary}, "como esta");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.restored);
    EXPECT_EQ(run.err, "");
  }

  // The text is restored with the index while the file is hashed: a text of many blocks, and its
  // report, come out as the file's own dictionary gives them when the index is not the file's.
  std::string long_text, restored;
  while (long_text.size() < 3'000'000) {
    long_text += "como esta\n";
    restored += "c\xC3\xB3mo est\xC3\xA1\n";
  }
  folder.write("d.log", replaced);
  folder.write("d.idx", std::string(index.begin(), index.end()));
  const RunResult with_index = tildario({"tilde", "--diccionario", dictionary}, long_text);
  std::filesystem::remove(folder.path() / "d.idx");
  const RunResult without_index = tildario({"tilde", "--diccionario", dictionary}, long_text);
  EXPECT_EQ(with_index.status, 0);
  EXPECT_TRUE(with_index.out == restored) << "output differs (" << with_index.out.size() << " bytes)";
  EXPECT_EQ(with_index.err, without_index.err);
}

// Inputs of several blocks give what the commands give on the whole text at once, wherever the
// blocks end: in the middle of characters, of words, in a word longer than a block.
TEST(CommandLine, LongInputsGiveTheWholeTextsResult) {
  std::string utf8;
  // clang-format off
  const char* const pieces[] = {"camion ", "Como ", "\xC3\xB1" "and\xC3\xBA ", "\xF0\x9F\x98\x80", "x\r\n",
                                "\xCE\xA9mega-", "AREA\t", "mas,", "esta ", "o'neil "};
  // clang-format on
  std::uint32_t state = 1;
  while (utf8.size() < 9'000'000) {
    state = state * 1103515245 + 12345;
    utf8 += pieces[(state >> 16) % std::size(pieces)];
  }
  // One word of 5 MB, with characters of every length in it.
  for (int i = 0; i < 400'000; ++i) utf8 += "ab\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";
  utf8 += " fin";

  text::CodePageText whole;
  ASSERT_EQ(text::append_utf8(whole, utf8).read, utf8.size());
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::string file = name_of(folder.write("largo.txt", utf8));

  for (const auto& [command, change] :
       {std::pair{"mayusculas", text::CaseChange::upper}, std::pair{"mixta", text::CaseChange::mixed}}) {
    SCOPED_TRACE(command);
    text::CodePageText expected = whole;
    text::change_case(expected, change);
    const RunResult run = tildario({command, file});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == text::to_utf8(expected)) << "output differs (" << run.out.size() << " bytes)";
  }

  const std::string dictionary_bytes = small_dictionary;
  const std::string dictionary = name_of(folder.write("d.log", dictionary_bytes));
  const auto load = accents::load_accent_dictionary(
      std::span(reinterpret_cast<const unsigned char*>(dictionary_bytes.data()), dictionary_bytes.size()));
  text::CodePageText expected = whole;
  accents::AccentCorrections corrections;
  accents::restore_accents(expected, load.dictionary, corrections);
  const RunResult run = tildario({"tilde", "--diccionario", dictionary, file});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out == text::to_utf8(expected)) << "output differs (" << run.out.size() << " bytes)";
  EXPECT_EQ(run.err, text::to_utf8(accents::correction_report(corrections)));
}

// With --contexto the words around a word choose between its spellings; without it, the
// dictionary alone, as the tray does.
TEST(CommandLine, ContextChoosesFromTheWordsAround) {
  const std::string text =
      "La funcion esta disponible en el menu.\n\xC2\xBFQue es una macro?\nEsta opcion no esta marcada.\n"
      "El espanol de manana. Hace un ano.\n";
  const std::string alone =
      "La funci\xC3\xB3n esta disponible en el men\xC3\xBA.\n\xC2\xBFQue es una macro?\nEsta opci\xC3\xB3n no esta "
      "marcada.\nEl espanol de manana. Hace un ano.\n";
  const std::string in_context =
      "La funci\xC3\xB3n est\xC3\xA1 disponible en el men\xC3\xBA.\n\xC2\xBFQu\xC3\xA9 es una macro?\n"
      "Esta opci\xC3\xB3n no est\xC3\xA1 marcada.\nEl espa\xC3\xB1ol de ma\xC3\xB1"
      "ana. Hace un a\xC3\xB1o.\n";
  const RunResult dictionary_only = tildario({"tilde", "-q", "--diccionario", real_dictionary}, text);
  EXPECT_EQ(dictionary_only.status, 0) << dictionary_only.err;
  EXPECT_EQ(dictionary_only.out, alone);
  // Named, or the model beside the program (a copy with its data, as a user has it).
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::filesystem::path copy = folder.path() / program.filename();
  std::filesystem::copy_file(program, copy);
  std::filesystem::copy_file(cli_test::utf8_path(real_dictionary), folder.path() / "diccionario.log");
  std::filesystem::copy_file(cli_test::utf8_path(real_context_model), folder.path() / "contexto.dat");
  for (const bool named : {true, false}) {
    SCOPED_TRACE(named);
    const RunResult run =
        named ? tildario({"tilde", "--contexto=" + real_context_model, "--diccionario", real_dictionary}, text)
              : cli_test::run_program(copy, {"tilde", "--contexto"}, text);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, in_context);
    EXPECT_EQ(run.err,
              "Encontradas 9 palabras a las que se le ha puesto t\xC3\xADlde ortogr\xC3\xA1"
              "fica ...\r\n"
              "Ya puedes pegar el texto con las t\xC3\xADldes correg\xC3\xAD"
              "das ...\r\n"
              "funci\xC3\xB3n\r\nest\xC3\xA1\r\nmen\xC3\xBA\r\nqu\xC3\xA9\r\nopci\xC3\xB3n\r\nest\xC3\xA1\r\n"
              "espa\xC3\xB1ol\r\nma\xC3\xB1"
              "ana\r\na\xC3\xB1o\r\n");
  }
}

TEST(CommandLine, ContextOnlyForTildeAndAMissingModelIsSaid) {
  expect_one_line_error(tildario({"mayusculas", "--contexto"}, "texto"), "--contexto");
  expect_one_line_error(tildario({"--contexto=x", "palabras"}, "texto"), "--contexto");

  // No usable model: said in one line, and the dictionary alone restores the text.
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::string dictionary = name_of(folder.write("d.log", small_dictionary));
  const std::string missing = name_of(folder.path() / "falta.dat");
  const std::string broken = name_of(folder.write("roto.dat", "TILDCTX1 y nada m\xC3\xA1s"));
  for (const std::string& path : {missing, broken, dictionary}) {
    SCOPED_TRACE(path);
    const RunResult run = tildario({"tilde", "-q", "--diccionario", dictionary, "--contexto=" + path}, "como esta");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "c\xC3\xB3mo est\xC3\xA1");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("solo con el diccionario"), std::string::npos) << run.err;
  }
}

// The input goes through in blocks cut at line breaks, so the context of every word is the
// whole text's.
TEST(CommandLine, ContextOnLongInputsAsOnTheWholeText) {
  // clang-format off
  const char* const lines[] = {"La funcion esta disponible.", "\xC2\xBF" "Como se crea? Esta opcion no esta marcada,",
                               "si, y el archivo esta en la carpeta que se abre", "Solo se muestra si esta activada."};
  // clang-format on
  std::string utf8;
  std::uint32_t state = 7;
  while (utf8.size() < 9'000'000) {
    state = state * 1103515245 + 12345;
    utf8 += lines[(state >> 16) % std::size(lines)];
    // clang-format off
    utf8 += (state >> 8) % 3 == 0 ? "\r\n" : " ";
    // clang-format on
  }
  const cli_test::ScratchFolder folder("tildario-cli");
  const std::string file = name_of(folder.write("largo.txt", utf8));

  const std::string dictionary_bytes = cli_test::read_file(cli_test::utf8_path(real_dictionary));
  const std::string model_bytes = cli_test::read_file(cli_test::utf8_path(real_context_model));
  const auto load = accents::load_accent_dictionary(
      std::span(reinterpret_cast<const unsigned char*>(dictionary_bytes.data()), dictionary_bytes.size()));
  const auto model = accents::ContextModel::load(
      std::span(reinterpret_cast<const unsigned char*>(model_bytes.data()), model_bytes.size()));
  ASSERT_TRUE(model);
  text::CodePageText expected;
  ASSERT_EQ(text::append_utf8(expected, utf8).read, utf8.size());
  accents::AccentCorrections corrections;
  accents::AccentRestorer(load.dictionary, &*model).restore(expected, corrections);

  const RunResult run = tildario({"tilde", "--contexto=" + real_context_model, "--diccionario", real_dictionary, file});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out == text::to_utf8(expected)) << "output differs (" << run.out.size() << " bytes)";
  EXPECT_EQ(run.err, text::to_utf8(accents::correction_report(corrections)));
}

}  // namespace
