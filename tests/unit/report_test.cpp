#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <limits>
#include <thread>

#include "app/report.h"
#include "tests/e2e/harness.h"

namespace {

TEST(FormatCount, WritesPlainDecimalDigits) {
  struct row {
    std::int64_t number;
    const char* text;
  };
  const row rows[] = {
      {0, "0"},
      {7, "7"},
      {12, "12"},
      {1534, "1534"},
      {1000000, "1000000"},
      {999999999999999, "999999999999999"},
      {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
      {-1, "-1"},
      {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.number);
    EXPECT_EQ(app::format_count(r.number), r.text);
  }
  EXPECT_EQ(app::count_report(12, " vocales"), "Este trozo de texto tiene 12 vocales");
}

// show_report blocks in its box: another thread reads the box and presses OK.
e2e::message_box show_and_read(const char* text, UINT style) {
  e2e::message_box seen;
  std::thread reader([&] {
    seen = e2e::find_message_box(GetCurrentProcessId(), L"Programador", 10000);
    seen.dismiss();
  });
  app::show_report(text, style);
  reader.join();
  return seen;
}

TEST(ShowReport, ShowsCodePage1252TextTitledProgramador) {
  const e2e::message_box box =
      show_and_read("Repetici\xF3n: \xE1\xE9\xED\xF3\xFA \xF1 \x80 \xBF?", MB_OK);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.title, L"Programador");
  EXPECT_EQ(box.text, L"Repetici\x00F3n: \x00E1\x00E9\x00ED\x00F3\x00FA \x00F1 \x20AC \x00BF?");
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, 0);
}

TEST(ShowReport, SystemModalStyleReachesTheBox) {
  const e2e::message_box box = show_and_read("Este trozo de texto tiene 0 vocales", MB_SYSTEMMODAL);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text, L"Este trozo de texto tiene 0 vocales");
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

}  // namespace
