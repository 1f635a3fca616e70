#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/support/crowded_words.h"

namespace {

using e2e::Outcome;

constexpr app::CommandId poner_tilde = app::CommandId::restore_accents;

std::string small_dictionary() {
  return e2e::dictionary_file({"cami\xF3n", "c\xF3mo", "est\xE1", "\xE9sta", "\xE1rea", "casa"});
}

e2e::StartOptions with_dictionary(std::string bytes) {
  e2e::StartOptions options;
  options.dictionary = std::move(bytes);
  return options;
}

const std::wstring report_prefix = L"Encontradas ";
const std::wstring report_line1 = L" palabras a las que se le ha puesto t\u00EDlde ortogr\u00E1fica ...";
const std::wstring report_line2 = L"Ya puedes pegar el texto con las t\u00EDldes correg\u00EDdas ...";

std::wstring short_report(int n) { return report_prefix + std::to_wstring(n) + report_line1; }

// Runs "Poner tilde" and returns the report's text after closing the box.
std::wstring poner_tilde_report(e2e::Program& program) {
  EXPECT_EQ(program.command(poner_tilde), Outcome::box_open);
  const auto box = program.find_report();
  if (!box) return L"(no report)";
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, WS_EX_TOPMOST);  // MB_SYSTEMMODAL
  EXPECT_TRUE(box.dismiss());
  return box.text;
}

TEST(Accents, PonerTildeRestoresAccentsAndKeepsEverythingElse) {
  e2e::Program program(with_dictionary(small_dictionary()));
  ASSERT_TRUE(program.no_report());
  const struct {
    std::wstring text, restored, report;
  } cases[] = {
      {L"\u00BFComo estas?\r\nCAMION  cAmion\tArea, casa y Casa.",
       L"\u00BFC\u00F3mo estas?\r\nCAMI\u00D3N  cAmi\u00F3n\t\u00C1rea, casa y Casa.",
       report_prefix + L"4" + report_line1 + L"\r\n" + report_line2 +
           L"\r\nc\u00F3mo\r\ncami\u00F3n\r\ncami\u00F3n\r\n\u00E1rea\r\n"},
      // Words without a correction stay exactly as written, names included.
      {L"esta McDonald \u00C1ngel PING\u00DCINO camion2", L"\u00E9sta McDonald \u00C1ngel PING\u00DCINO cami\u00F3n2",
       report_prefix + L"2" + report_line1 + L"\r\n" + report_line2 + L"\r\n\u00E9sta\r\ncami\u00F3n\r\n"},
      // Characters the code page lacks come back as they were.
      {L"camion \u2192 \u03A9 \U0001F600 \u4E2D Area", L"cami\u00F3n \u2192 \u03A9 \U0001F600 \u4E2D \u00C1rea",
       report_prefix + L"2" + report_line1 + L"\r\n" + report_line2 + L"\r\ncami\u00F3n\r\n\u00E1rea\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    ASSERT_TRUE(desktop::set_clipboard_text(c.text));
    EXPECT_EQ(poner_tilde_report(program), c.report);
    EXPECT_EQ(desktop::clipboard_text(), c.restored);
  }

  // 41 corrections: the count says 41, the list holds the first 40.
  std::wstring text, restored, list;
  for (int i = 0; i < 41; ++i) {
    text += i % 2 ? L"Camion " : L"como\r\n";
    restored += i % 2 ? L"Cami\u00F3n " : L"c\u00F3mo\r\n";
    if (i < 40) list += i % 2 ? L"cami\u00F3n\r\n" : L"c\u00F3mo\r\n";
  }
  ASSERT_TRUE(desktop::set_clipboard_text(text));
  EXPECT_EQ(poner_tilde_report(program),
            report_prefix + L"41" + report_line1 + L"\r\n" + report_line2 + L"\r\n" + list);
  EXPECT_EQ(desktop::clipboard_text(), restored);
  EXPECT_EQ(program.quit(), 0);
}

TEST(Accents, NothingCorrectedWritesNothing) {
  e2e::Program program(with_dictionary(small_dictionary()));
  // The rich version of the text stays on the clipboard: the text was not rewritten.
  const std::string html = "<b>casa</b>";
  ASSERT_TRUE(desktop::set_clipboard_text(L"casa \u00C1ngel McDonald", {{desktop::html_format(), html}}));
  const auto before = desktop::clipboard_formats();
  EXPECT_EQ(poner_tilde_report(program), short_report(0));
  EXPECT_EQ(desktop::clipboard_text(), L"casa \u00C1ngel McDonald");
  EXPECT_EQ(desktop::clipboard_formats(), before);

  // No text at all: the picture stays alone, and the report still says 0.
  ASSERT_TRUE(desktop::set_clipboard_bitmap());
  const auto picture = desktop::clipboard_formats();
  EXPECT_EQ(poner_tilde_report(program), short_report(0));
  EXPECT_EQ(desktop::clipboard_formats(), picture);
  EXPECT_EQ(desktop::clipboard_text(), std::nullopt);

  ASSERT_TRUE(desktop::set_clipboard({}));
  EXPECT_EQ(poner_tilde_report(program), short_report(0));
  EXPECT_TRUE(desktop::clipboard_formats().empty());
  EXPECT_EQ(program.quit(), 0);
}

TEST(Accents, MalformedDictionaryIsReportedOnceThenEmpty) {
  e2e::Program program(with_dictionary(small_dictionary().substr(0, 250)));
  const auto box = program.find_report();
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text, L"Fichero con formato Erroneo ..\r\ndiccionario.log");
  // MB_TOPMOST cannot be seen from outside under Wine: its boxes never get WS_EX_TOPMOST.
  ASSERT_TRUE(box.dismiss());
  ASSERT_TRUE(program.sync());
  EXPECT_TRUE(program.tray_icon_present());

  ASSERT_TRUE(desktop::set_clipboard_text(L"camion Area"));
  EXPECT_EQ(poner_tilde_report(program), short_report(0));
  EXPECT_EQ(desktop::clipboard_text(), L"camion Area");
  EXPECT_EQ(program.quit(), 0);
}

TEST(Accents, MissingOrEmptyDictionaryIsSilent) {
  for (const bool empty_file : {false, true}) {
    SCOPED_TRACE(empty_file);
    e2e::StartOptions options;
    if (empty_file) options.dictionary = "";
    e2e::Program program(options);
    EXPECT_TRUE(program.no_report());
    EXPECT_TRUE(program.tray_icon_present());
    ASSERT_TRUE(desktop::set_clipboard_text(L"camion \u00C1ngel"));
    EXPECT_EQ(poner_tilde_report(program), short_report(0));
    EXPECT_EQ(desktop::clipboard_text(), L"camion \u00C1ngel");
    EXPECT_EQ(program.quit(), 0);
  }
}

// A dictionary of the real one's size loads at start-up; its last record counts like the first.
TEST(Accents, LargeDictionaryLoadsWhole) {
  std::vector<std::string> words;
  for (int i = 0; i < 300000; ++i) {
    std::string w;
    for (int v = i; v > 0 || w.empty(); v /= 20) w += static_cast<char>('b' + v % 20);
    words.push_back(w);
  }
  words.front() = "cami\xF3n";
  words.back() = "\xE1rbol";
  e2e::Program program(with_dictionary(e2e::dictionary_file(words)));
  EXPECT_TRUE(program.no_report());
  ASSERT_TRUE(desktop::set_clipboard_text(L"Arbol camion"));
  EXPECT_EQ(poner_tilde_report(program),
            report_prefix + L"2" + report_line1 + L"\r\n" + report_line2 + L"\r\n\u00E1rbol\r\ncami\u00F3n\r\n");
  EXPECT_EQ(desktop::clipboard_text(), L"\u00C1rbol cami\u00F3n");
  EXPECT_EQ(program.quit(), 0);
}

// A dictionary of words made up to crowd one cluster of a hash table without a key starts as
// quickly as any other (the start-up time is printed, for the record) and works.
TEST(Accents, CrowdedDictionaryLoadsAtOnce) {
  std::vector<std::string> words = crowded::words(200000);
  words.push_back("cami\xF3n");
  const auto start = std::chrono::steady_clock::now();
  e2e::Program program(with_dictionary(e2e::dictionary_file(words)));
  std::printf("started with 200,001 crowded entries in %.2f s\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  EXPECT_TRUE(program.no_report());
  ASSERT_TRUE(desktop::set_clipboard_text(L"Camion " + std::wstring(words[7].begin(), words[7].end())));
  EXPECT_EQ(poner_tilde_report(program),
            report_prefix + L"1" + report_line1 + L"\r\n" + report_line2 + L"\r\ncami\u00F3n\r\n");
  EXPECT_EQ(desktop::clipboard_text(), L"Cami\u00F3n " + std::wstring(words[7].begin(), words[7].end()));
  EXPECT_EQ(program.quit(), 0);
}

// The dictionary the program ships with, made from hunspell-es by scripts/make-dictionary.sh.
TEST(Accents, RealDictionaryRestoresASentence) {
  std::ifstream in(TILDARIO_REAL_DICTIONARY, std::ios::binary);
  ASSERT_TRUE(in) << "scripts/make-dictionary.sh makes " TILDARIO_REAL_DICTIONARY;
  e2e::Program program(with_dictionary(std::string(std::istreambuf_iterator<char>(in), {})));
  EXPECT_TRUE(program.no_report());
  ASSERT_TRUE(desktop::set_clipboard_text(L"Ma\u00F1ana tambien vendra el autobus despues de la cancion"));
  EXPECT_EQ(poner_tilde_report(program),
            report_prefix + L"5" + report_line1 + L"\r\n" + report_line2 +
                L"\r\ntambi\u00E9n\r\nvendr\u00E1\r\nautob\u00FAs\r\ndespu\u00E9s\r\ncanci\u00F3n\r\n");
  EXPECT_EQ(desktop::clipboard_text(),
            L"Ma\u00F1ana tambi\u00E9n vendr\u00E1 el autob\u00FAs despu\u00E9s de la canci\u00F3n");
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
