#include <gtest/gtest.h>
#include <windows.h>

#include "text/ansi.h"
#include "text/code_page_1252.h"

// The native build uses code page 1252 tables in place of the system's ANSI calls; here, on
// a code page 1252 system, both must agree for every byte.

namespace {

TEST(AnsiPlatform, SystemCodePageIs1252) { ASSERT_EQ(GetACP(), 1252u); }

TEST(AnsiPlatform, TablesEqualSystemCallsForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    char upper = static_cast<char>(b);
    char lower = static_cast<char>(b);
    CharUpperBuffA(&upper, 1);
    CharLowerBuffA(&lower, 1);
    EXPECT_EQ(static_cast<unsigned char>(upper), text::cp1252::to_upper(static_cast<unsigned char>(b)));
    EXPECT_EQ(static_cast<unsigned char>(lower), text::cp1252::to_lower(static_cast<unsigned char>(b)));

    const char c = static_cast<char>(b);
    WORD type = 0;
    ASSERT_TRUE(GetStringTypeA(0, CT_CTYPE1, &c, 1, &type));
    EXPECT_EQ((type & C1_ALPHA) != 0, text::cp1252::is_alpha(static_cast<unsigned char>(b)));
    EXPECT_EQ(text::ansi_is_alpha(&c, 1), text::cp1252::is_alpha(static_cast<unsigned char>(b)));
    EXPECT_EQ(text::ansi_char_length(&c, 1), 1u);
  }
}

TEST(AnsiPlatform, LayerConvertsWholeTextsLikeTables) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string upper = all, lower = all;
  text::ansi_upper(upper.data(), upper.size());
  text::ansi_lower(lower.data(), lower.size());
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(static_cast<unsigned char>(upper[b]), text::cp1252::to_upper(static_cast<unsigned char>(b)));
    EXPECT_EQ(static_cast<unsigned char>(lower[b]), text::cp1252::to_lower(static_cast<unsigned char>(b)));
  }
}

}  // namespace
