#include <gtest/gtest.h>
#include <windows.h>

#include <new>
#include <stdexcept>
#include <thread>

#include "app/commands.h"
#include "app/report.h"
#include "tests/support/desktop.h"

namespace {

// A box blocks the thread that shows it: another thread reads the box and presses OK.
template <typename Show>
desktop::MessageBoxWindow read_box_of(Show show) {
  desktop::MessageBoxWindow seen;
  std::thread reader([&] {
    seen = desktop::find_message_box(GetCurrentProcessId(), L"Programador", 10000);
    seen.dismiss();
  });
  show();
  reader.join();
  return seen;
}

desktop::MessageBoxWindow show_and_read(const char* text, UINT style) {
  return read_box_of([&] { app::show_report(text, style); });
}

TEST(ShowReport, ShowsCodePage1252TextTitledProgramador) {
  const desktop::MessageBoxWindow box =
      show_and_read("Repetici\xF3n: \xE1\xE9\xED\xF3\xFA \xF1 \x80 \x97 \xBF?", MB_OK);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.title, L"Programador");
  EXPECT_EQ(box.text, L"Repetici\x00F3n: \x00E1\x00E9\x00ED\x00F3\x00FA \x00F1 \x20AC \x2014 \x00BF?");
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, 0);
}

TEST(ShowReport, SystemModalStyleReachesTheBox) {
  const desktop::MessageBoxWindow box = show_and_read("Este trozo de texto tiene 0 vocales", MB_SYSTEMMODAL);
  ASSERT_TRUE(box);
  EXPECT_EQ(box.text, L"Este trozo de texto tiene 0 vocales");
  EXPECT_EQ(box.ex_style & WS_EX_TOPMOST, WS_EX_TOPMOST);
}

// A command that runs out of memory says so and the program goes on.
TEST(CommandBoundary, TooLittleMemoryForACommandIsReported) {
  const app::MenuRow out_of_memory{app::CommandId::upper_case, "x", [](HWND) { throw std::bad_alloc(); }};
  const app::MenuRow too_long{app::CommandId::upper_case, "x", [](HWND) { throw std::length_error("4 GiB"); }};
  for (const app::MenuRow* row : {&out_of_memory, &too_long}) {
    const desktop::MessageBoxWindow box = read_box_of([&] { app::run_row(nullptr, *row); });
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"El texto es demasiado grande para esta orden.");
  }
}

}  // namespace
