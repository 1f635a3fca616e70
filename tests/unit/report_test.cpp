#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "app/report.h"
#include "tests/support/desktop.h"

namespace {

// show_report blocks in its box: another thread reads the box and presses OK.
desktop::message_box show_and_read(const char* text, UINT style) {
  desktop::message_box seen;
  std::thread reader([&] {
    seen = desktop::find_message_box(GetCurrentProcessId(), L"Programador", 10000);
    seen.dismiss();
  });
  app::show_report(text, style);
  reader.join();
  return seen;
}

TEST(ShowReport, ShowsCodePage1252TextTitledProgramador) {
  const desktop::message_box box = show_and_read("Repetici\xF3n: \xE1\xE9\xED\xF3\xFA \xF1 \x80 \x97 \xBF?", MB_OK);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.title, L"Programador");
  EXPECT_EQ(box.text, L"Repetici\x00F3n: \x00E1\x00E9\x00ED\x00F3\x00FA \x00F1 \x20AC \x2014 \x00BF?");
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, 0);
}

TEST(ShowReport, SystemModalStyleReachesTheBox) {
  const desktop::message_box box = show_and_read("Este trozo de texto tiene 0 vocales", MB_SYSTEMMODAL);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text, L"Este trozo de texto tiene 0 vocales");
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

}  // namespace
