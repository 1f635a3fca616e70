#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using e2e::outcome;

constexpr int upper_case = 205;
constexpr int lower_case = 206;
constexpr int mixed_case = 208;

bool has_format(UINT format) {
  const std::vector<UINT> formats = e2e::clipboard_formats();
  return std::find(formats.begin(), formats.end(), format) != formats.end();
}

struct rewrite {
  int command;
  std::wstring before, after;
};

// Each command on its text rewrites the clipboard and shows no box.
void expect_rewrites(e2e::program& program, const std::vector<rewrite>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_TRUE(e2e::set_clipboard_text(c.before));
    EXPECT_EQ(program.command(c.command), outcome::finished);
    EXPECT_EQ(e2e::clipboard_text(), c.after);
    EXPECT_TRUE(program.no_report());
  }
}

TEST(CaseCommands, EachCommandRewritesTheClipboardWithoutABox) {
  e2e::program program;
  expect_rewrites(program, {
      {upper_case, L"hola MUNDO, acción niño 3er", L"HOLA MUNDO, ACCIÓN NIÑO 3ER"},
      {lower_case, L"ÁRBOL Über €5 «SÍ»", L"árbol über €5 «sí»"},
      {mixed_case, L"hola MUNDO\r\nel NIÑO don't McDonald", L"Hola Mundo\r\nEl Niño Don'T Mcdonald"},
  });
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, CharactersOutsideTheCodePageSurvive) {
  e2e::program program;
  expect_rewrites(program, {
      {upper_case, L"emoji 😀 → café 中文 Ωmega", L"EMOJI 😀 → CAFÉ 中文 ΩMEGA"},
      {mixed_case, L"emoji 😀 → café 中文 Ωmega", L"Emoji 😀 → Café 中文 Ωmega"},
      {lower_case, L"EMOJI 😀 → CAFÉ 中文 Привет", L"emoji 😀 → café 中文 Привет"},
  });
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, NoTextMeansNoWriteAndNoBox) {
  e2e::program program;
  const struct {
    const char* name;
    bool (*set)();
  } clipboards[] = {
      {"empty", [] { return e2e::set_clipboard({}); }},
      {"picture", [] { return e2e::set_clipboard_bitmap(); }},
      {"HTML only", [] { return e2e::set_clipboard({{e2e::html_format(), "<b>hola</b>"}}); }},
  };
  for (const auto& clipboard : clipboards) {
    for (const int command : {upper_case, lower_case, mixed_case}) {
      SCOPED_TRACE(testing::Message() << clipboard.name << ", command " << command);
      ASSERT_TRUE(clipboard.set());
      const std::vector<UINT> formats = e2e::clipboard_formats();
      const DWORD sequence = GetClipboardSequenceNumber();
      EXPECT_EQ(program.command(command), outcome::finished);
      EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
      EXPECT_EQ(e2e::clipboard_formats(), formats);
      EXPECT_TRUE(program.no_report());
    }
  }
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, RewriteReplacesRichVersionsAndNoChangeKeepsThem) {
  e2e::program program;
  const e2e::clipboard_data html{e2e::html_format(), "Version:0.9\r\n<b>hola</b>"};

  ASSERT_TRUE(e2e::set_clipboard_text(L"hola", {html}));
  EXPECT_EQ(program.command(upper_case), outcome::finished);
  EXPECT_EQ(e2e::clipboard_text(), L"HOLA");
  EXPECT_FALSE(has_format(html.format));

  ASSERT_TRUE(e2e::set_clipboard_text(L"HOLA 123", {html}));
  const DWORD sequence = GetClipboardSequenceNumber();
  EXPECT_EQ(program.command(upper_case), outcome::finished);
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
  EXPECT_TRUE(has_format(html.format));
  EXPECT_EQ(e2e::clipboard_text(), L"HOLA 123");
  EXPECT_EQ(program.quit(), 0);
}

TEST(CaseCommands, ClipboardHeldBrieflyByAnotherProgramIsStillRewritten) {
  e2e::program program;
  for (const int command : {upper_case, mixed_case}) {
    SCOPED_TRACE(command);
    ASSERT_TRUE(e2e::set_clipboard_text(L"hola mundo"));
    {
      const e2e::clipboard_holder hold(50);
      ASSERT_TRUE(hold.opened());
      EXPECT_EQ(program.command(command), outcome::finished);
    }
    EXPECT_EQ(e2e::clipboard_text(), command == upper_case ? L"HOLA MUNDO" : L"Hola Mundo");
  }
  EXPECT_EQ(program.quit(), 0);
}

}  // namespace
