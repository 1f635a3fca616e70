#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "text/case_conversion.h"
#include "text/code_page_1252.h"

// The program takes case mapping, character types and the conversion to and from UTF-16 from
// its own code page 1252 tables on every system. Here, on a code page 1252 system, the tables
// must agree with the system's own calls.

namespace {

TEST(Cp1252Platform, SystemCodePageIs1252) { ASSERT_EQ(GetACP(), 1252u); }

TEST(Cp1252Platform, CaseAndTypeTablesEqualSystemCallsForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const auto byte = static_cast<unsigned char>(b);
    char upper = static_cast<char>(b);
    char lower = static_cast<char>(b);
    CharUpperBuffA(&upper, 1);
    CharLowerBuffA(&lower, 1);
    EXPECT_EQ(static_cast<unsigned char>(upper), text::cp1252::to_upper(byte));
    EXPECT_EQ(static_cast<unsigned char>(lower), text::cp1252::to_lower(byte));

    const char c = static_cast<char>(b);
    WORD type = 0;
    ASSERT_TRUE(GetStringTypeA(0, CT_CTYPE1, &c, 1, &type));
    EXPECT_EQ((type & C1_ALPHA) != 0, text::cp1252::is_alpha(byte));
    EXPECT_EQ((type & C1_DIGIT) != 0, text::cp1252::is_digit(byte));
    EXPECT_EQ(CharNextA(&c) - &c, b == 0 ? 0 : 1);
  }
}

TEST(Cp1252Platform, ConversionEqualsTheSystemsForEveryUnitAndByte) {
  int failures = 0;
  for (unsigned u = 0; u < 0x10000 && failures < 10; ++u) {
    const wchar_t unit = static_cast<wchar_t>(u);
    char byte = 0;
    if (WideCharToMultiByte(1252, 0, &unit, 1, &byte, 1, nullptr, nullptr) != 1 ||
        static_cast<unsigned char>(byte) != text::cp1252::from_unit(static_cast<char16_t>(u))) {
      ++failures;
      ADD_FAILURE() << "unit " << u;
    }
  }
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const char byte = static_cast<char>(b);
    wchar_t unit = 0;
    ASSERT_EQ(MultiByteToWideChar(1252, MB_PRECOMPOSED, &byte, 1, &unit, 1), 1);
    EXPECT_EQ(static_cast<char16_t>(unit), text::cp1252::to_unit(static_cast<unsigned char>(b)));
  }
  // A surrogate pair is two units, so two default characters, as the tables give them.
  const wchar_t pair[] = {0xD83D, 0xDE00};
  char bytes[4] = {};
  EXPECT_EQ(WideCharToMultiByte(1252, 0, pair, 2, bytes, 4, nullptr, nullptr), 2);
  EXPECT_EQ(std::string(bytes, 2), "??");
}

// The mixed-case rule with a fresh system call for every step: CharUpperBuffA or CharLowerBuffA
// on the character, GetStringTypeA on it. A letter or a digit lets the next letter continue the
// word; anything else makes it start one.
std::string mixed_by_system_calls(std::string t) {
  bool capital = true;
  for (char& c : t) {
    if (capital)
      CharUpperBuffA(&c, 1);
    else
      CharLowerBuffA(&c, 1);
    WORD type = 0;
    GetStringTypeA(0, CT_CTYPE1, &c, 1, &type);
    capital = (type & (C1_ALPHA | C1_DIGIT)) == 0;
  }
  return t;
}

// Every pair of bytes covers every step of the mixed case: each byte converted in either state,
// and the state it leaves for the next.
TEST(Cp1252Platform, MixedCaseEqualsSystemCallsForEveryBytePair) {
  int failures = 0;
  for (int a = 0; a < 256 && failures < 10; ++a) {
    for (int b = 0; b < 256 && failures < 10; ++b) {
      const std::string pair{static_cast<char>(a), static_cast<char>(b)};
      text::CodePageText mixed{pair, {}, {}};
      text::to_mixed_case(mixed);
      if (mixed.text != mixed_by_system_calls(pair)) {
        ++failures;
        // clang-format off
        ADD_FAILURE() << "bytes " << a << " " << b;
        // clang-format on
      }
    }
  }
}

}  // namespace
