#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using app::CommandId;
using enum app::CommandId;
using e2e::Outcome;

bool has_format(UINT format) {
  const std::vector<UINT> formats = desktop::clipboard_formats();
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

struct Rewrite {
  CommandId command;
  std::wstring before, after;
};

// Each command on its text rewrites the clipboard and shows no box.
void expect_rewrites(e2e::Program& program, const std::vector<Rewrite>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    ASSERT_TRUE(desktop::set_clipboard_text(c.before));
    EXPECT_EQ(program.command(c.command), Outcome::finished);
    EXPECT_EQ(desktop::clipboard_text(), c.after);
    EXPECT_TRUE(program.no_report());
  }
}

TEST(CaseCommands, EachCommandRewritesTheClipboardWithoutABox) {
  e2e::Program program;
  expect_rewrites(program,
                  {
                      {upper_case, L"hola MUNDO, acción niño 3er", L"HOLA MUNDO, ACCIÓN NIÑO 3ER"},
                      {lower_case, L"ÁRBOL Über €5 «SÍ»", L"árbol über €5 «sí»"},
                      {mixed_case, L"hola MUNDO\r\nel NIÑO don't McDonald", L"Hola Mundo\r\nEl Niño Don'T Mcdonald"},
                      // A letter after a digit continues its word; after an apostrophe it starts one.
                      {mixed_case, L"3er piso 2ª planta o'neil", L"3er Piso 2ª Planta O'Neil"},
                  });
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, LettersOutsideTheCodePageTakeTheirOwnCase) {
  e2e::Program program;
  expect_rewrites(program, {
                               {upper_case, L"emoji 😀 → café 中文 Ωmega", L"EMOJI 😀 → CAFÉ 中文 ΩMEGA"},
                               {mixed_case, L"emoji 😀 → café 中文 Ωmega", L"Emoji 😀 → Café 中文 Ωmega"},
                               {lower_case, L"EMOJI 😀 → CAFÉ 中文 ΩMEGA Привет", L"emoji 😀 → café 中文 ωmega привет"},
                               {upper_case, L"Gdańsk, Kraków, Poznań, Timișoara, Łódź, Ţară, Straße, αβγ",
                                L"GDAŃSK, KRAKÓW, POZNAŃ, TIMIȘOARA, ŁÓDŹ, ŢARĂ, STRAßE, ΑΒΓ"},
                               {mixed_case, L"GDAŃSK ŁÓDŹ ńandu", L"Gdańsk Łódź Ńandu"},
                           });
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, NoTextMeansNoWriteAndNoBox) {
  e2e::Program program;
  const struct {
    const char* name;
    bool (*set)();
  } clipboards[] = {
      {"empty", [] { return desktop::set_clipboard({}); }},
      {"picture", [] { return desktop::set_clipboard_bitmap(); }},
      {"HTML only",
       [] {
         return desktop::set_clipboard({{desktop::html_format(), "<b>hola</b>"}});
       }},
  };
  for (const auto& clipboard : clipboards) {
    for (const CommandId command : {upper_case, lower_case, mixed_case}) {
      SCOPED_TRACE(testing::Message() << clipboard.name << ", command " << static_cast<int>(command));
      ASSERT_TRUE(clipboard.set());
      const std::vector<UINT> formats = desktop::clipboard_formats();
      const DWORD sequence = GetClipboardSequenceNumber();
      EXPECT_EQ(program.command(command), Outcome::finished);
      EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
      EXPECT_EQ(desktop::clipboard_formats(), formats);
      EXPECT_TRUE(program.no_report());
    }
  }
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, RewriteReplacesRichVersionsAndNoChangeKeepsThem) {
  e2e::Program program;
  const desktop::ClipboardData html{desktop::html_format(), "Version:0.9\r\n<b>hola</b>"};

  ASSERT_TRUE(desktop::set_clipboard_text(L"hola", {html}));
  EXPECT_EQ(program.command(upper_case), Outcome::finished);
  EXPECT_EQ(desktop::clipboard_text(), L"HOLA");
  EXPECT_FALSE(has_format(html.format));

  ASSERT_TRUE(desktop::set_clipboard_text(L"HOLA 123", {html}));
  const DWORD sequence = GetClipboardSequenceNumber();
  EXPECT_EQ(program.command(upper_case), Outcome::finished);
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  EXPECT_TRUE(has_format(html.format));
  EXPECT_EQ(desktop::clipboard_text(), L"HOLA 123");
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, ClipboardHeldBrieflyByAnotherProgramIsStillRewritten) {
  e2e::Program program;
  for (const CommandId command : {upper_case, mixed_case}) {
    SCOPED_TRACE(static_cast<int>(command));
    ASSERT_TRUE(desktop::set_clipboard_text(L"hola mundo"));
    {
      const desktop::ClipboardHolder hold(50);
      ASSERT_TRUE(hold.opened());
      EXPECT_EQ(program.command(command), Outcome::finished);
    }
    EXPECT_EQ(desktop::clipboard_text(), command == upper_case ? L"HOLA MUNDO" : L"Hola Mundo");
  }
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
