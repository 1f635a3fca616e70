#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/e2e/harness.h"

// Every command on a clipboard text of hundreds of megabytes (TILDARIO_LARGE_TEXT_MB, 200 by
// default): each finishes with its usual result or says that the text is too large; the program
// never dies or hangs, and its memory stays a small multiple of the text.

namespace {

using app::CommandId;
using e2e::Outcome;

// One line of ordinary Spanish without its accents, with a letter the code page lacks.
const std::wstring line = L"Ma\u00F1ana tambien vendra el autobus despues de la cancion en Gda\u0144sk.\r\n";

// Whole lines only, so that every line gets the same result.
std::size_t text_units() {
  const char* mb = std::getenv("TILDARIO_LARGE_TEXT_MB");
  const std::size_t wanted = static_cast<std::size_t>(mb ? std::atol(mb) : 200) * 1000 * 1000;
  return wanted / line.size() * line.size();
}

std::string real_dictionary() {
  std::ifstream in(TILDARIO_REAL_DICTIONARY, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::wstring too_large = L"El texto es demasiado grande para esta orden.";

class LargeText : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    e2e::StartOptions options;
    options.dictionary = real_dictionary();
    program_ = new e2e::Program(options);
  }
  static void TearDownTestSuite() {
    const std::size_t units = text_units();
    std::printf("peak private bytes %.0f MB, peak working set %.0f MB for a text of %zu MB\n",
                program_->peak_private_bytes() / 1e6, program_->peak_working_set() / 1e6, units / 1000000);
    EXPECT_EQ(program_->quit(60000), 0);
    delete program_;
  }

  // Runs the command on the large text; true when it did its work, false when it said the
  // text is too large (which leaves the clipboard as it was).
  bool run(CommandId command, std::wstring* report) {
    const std::size_t units = text_units();
    EXPECT_TRUE(desktop::set_clipboard_repeated(line, units));
    const auto start = std::chrono::steady_clock::now();
    const Outcome result = program_->command(command, 10 * 60 * 1000);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("command %d: %s after %.1f s\n", static_cast<int>(command), e2e::to_string(result), seconds);
    EXPECT_NE(result, Outcome::timed_out);
    EXPECT_TRUE(program_->running());
    if (result == Outcome::box_open) {
      const desktop::MessageBoxWindow box = program_->find_report();
      if (report) *report = box.text;
      EXPECT_TRUE(box.dismiss());
      if (box.text == too_large) {
        EXPECT_EQ(desktop::clipboard_digest(), desktop::repeated_digest(line, units));
        return false;
      }
    }
    return true;
  }

  static e2e::Program* program_;
};

e2e::Program* LargeText::program_ = nullptr;

TEST_F(LargeText, CaseCommands) {
  const struct {
    CommandId command;
    std::wstring line;
  } cases[] = {
      {CommandId::upper_case, L"MA\u00D1ANA TAMBIEN VENDRA EL AUTOBUS DESPUES DE LA CANCION EN GDA\u0143SK.\r\n"},
      {CommandId::lower_case, L"ma\u00F1ana tambien vendra el autobus despues de la cancion en gda\u0144sk.\r\n"},
      {CommandId::mixed_case, L"Ma\u00F1ana Tambien Vendra El Autobus Despues De La Cancion En Gda\u0144sk.\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    if (run(c.command, nullptr)) {
      EXPECT_EQ(desktop::clipboard_digest(), desktop::repeated_digest(c.line, text_units()));
    }
  }
}

TEST_F(LargeText, PonerTilde) {
  std::wstring report;
  if (!run(CommandId::restore_accents, &report)) return;
  const std::size_t lines = text_units() / line.size();
  EXPECT_TRUE(report.starts_with(L"Encontradas " + std::to_wstring(5 * lines) + L" palabras")) << report.substr(0, 100);
  const std::wstring restored =
      L"Ma\u00F1ana tambi\u00E9n vendr\u00E1 el autob\u00FAs despu\u00E9s de la canci\u00F3n en Gda\u0144sk.\r\n";
  EXPECT_EQ(desktop::clipboard_digest(), desktop::repeated_digest(restored, text_units()));
}

TEST_F(LargeText, Reports) {
  const std::size_t units = text_units();
  const std::wstring heading = L"Este trozo de texto tiene ";
  const std::size_t lines = units / line.size();
  // Per line: 11 words, 23 vowels and 31 consonants ("ñ" and the "n" standing in for "ń"
  // included); 7 content words, each on every line.
  const struct {
    CommandId command;
    std::wstring report;
  } cases[] = {
      {CommandId::count_characters, heading + std::to_wstring(units) + L" caracteres"},
      {CommandId::count_words, heading + std::to_wstring(11 * lines) + L" trozos de palabra(s) \u00F3 palabra(s)"},
      {CommandId::count_vowels, heading + std::to_wstring(23 * lines) + L" vocales"},
      {CommandId::count_consonants, heading + std::to_wstring(31 * lines) + L" consonantes"},
  };
  std::wstring report;
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    if (run(c.command, &report)) {
      EXPECT_EQ(report, c.report);
    }
  }
  if (run(CommandId::word_repetition, &report)) {
    EXPECT_TRUE(report.starts_with(heading + std::to_wstring(7 * lines) +
                                   L" palabra(s) m\u00E1s repetidas\r\n"
                                   L"Ma\u00F1ana,tambien,vendra,autobus,"))
        << report.substr(0, 200);
    EXPECT_TRUE(report.ends_with(L",...")) << report.substr(report.size() - 100);
  }
}

}  // namespace

namespace {

// One word fifty million bytes long in all: the list stops at a thousand and the box comes at
// once (the time is printed, for the record).
TEST(LargeTextRepetition, FiftyMegabytesOfOneWord) {
  e2e::Program program;
  const std::size_t units = 50 * 1000 * 1000;
  ASSERT_TRUE(desktop::set_clipboard_repeated(L"casa ", units));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(program.command(CommandId::word_repetition, 60000), Outcome::box_open);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("the repetition box for 50 MB of one word appeared after %.2f s\n", seconds);
  const desktop::MessageBoxWindow box = program.find_report();
  std::wstring list = L"casa";
  for (int i = 1; i < 1000; ++i) list += L",casa";
  EXPECT_EQ(box.text, L"Este trozo de texto tiene 10000000 palabra(s) m\u00E1s repetidas\r\n" + list + L",...");
  EXPECT_TRUE(box.dismiss());
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
