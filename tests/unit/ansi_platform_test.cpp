#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "text/ansi.h"
#include "text/case_conversion.h"
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

// The mixed-case rule with a fresh system call for every step: CharNextA for the character,
// CharUpperBuffA or CharLowerBuffA on it, GetStringTypeA on the result.
std::string mixed_by_system_calls(std::string t) {
  bool capital = true;
  for (std::size_t i = 0; i < t.size();) {
    char* const c = t.data() + i;
    const std::size_t n = *c == '\0' ? 1 : static_cast<std::size_t>(CharNextA(c) - c);
    if (capital)
      CharUpperBuffA(c, static_cast<DWORD>(n));
    else
      CharLowerBuffA(c, static_cast<DWORD>(n));
    WORD types[2] = {};
    GetStringTypeA(0, CT_CTYPE1, c, static_cast<int>(n), types);
    capital = (types[0] & C1_ALPHA) == 0;
    i += n;
  }
  return t;
}

// The same rule on the native build's tables.
std::string mixed_by_tables(std::string t) {
  bool capital = true;
  for (char& c : t) {
    const auto b = static_cast<unsigned char>(c);
    c = static_cast<char>(capital ? text::cp1252::to_upper(b) : text::cp1252::to_lower(b));
    capital = !text::cp1252::is_alpha(static_cast<unsigned char>(c));
  }
  return t;
}

// Every pair of bytes covers every step of the mixed case: each byte converted in either state,
// and the state it leaves for the next.
TEST(AnsiPlatform, MixedCaseEqualsSystemCallsAndTablesForEveryBytePair) {
  int failures = 0;
  for (int a = 0; a < 256 && failures < 10; ++a) {
    for (int b = 0; b < 256 && failures < 10; ++b) {
      const std::string pair{static_cast<char>(a), static_cast<char>(b)};
      const std::string layer = text::to_mixed_case(pair);
      const std::string calls = mixed_by_system_calls(pair);
      const std::string tables = mixed_by_tables(pair);
      if (layer != calls || calls != tables) {
        ++failures;
        ADD_FAILURE() << "bytes " << a << " " << b;
      }
    }
  }
}

}  // namespace
