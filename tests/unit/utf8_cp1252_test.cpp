#include "tools/utf8_cp1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(Utf8Cp1252, ToCodePage) {
  // clang-format off
  const struct {
    std::string utf8;
    std::optional<std::string> cp1252;
  } cases[] = {
      {"", ""},
      {"camion", "camion"},
      {"cami\xC3\xB3n", "cami\xF3n"},
      {"\xC3\x91\xC3\xBC\xC2\xBF\xC2\xA1", "\xD1\xFC\xBF\xA1"},         // Ñ ü ¿ ¡
      {"\xE2\x82\xAC \xE2\x80\x9C\xE2\x80\x9D \xC5\xB8", "\x80 \x93\x94 \x9F"},  // € “” Ÿ
      {"\xC2\x80", std::nullopt},             // U+0080: a C1 control the code page lacks
      {"\xCE\xA9", std::nullopt},             // Ω
      {"\xE2\x80\x8E", std::nullopt},         // left-to-right mark
      {"\xF0\x9F\x98\x80", std::nullopt},     // emoji
      {"\xC3", std::nullopt},                 // truncated
      {"a\x80", std::nullopt},                // lone continuation byte
      {"\xC0\xAF", std::nullopt},             // overlong '/'
      {"\xE0\x80\xAF", std::nullopt},         // overlong '/'
      {"\xED\xA0\x80", std::nullopt},         // surrogate
      {"\xF4\x90\x80\x80", std::nullopt},     // past U+10FFFF
      {"\xE9", std::nullopt},                 // a Latin-1 byte is not UTF-8
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(tools::utf8_to_cp1252(c.utf8), c.cp1252);
  }
}

TEST(Utf8Cp1252, ToCodePageReplacing) {
  // clang-format off
  const struct {
    std::string utf8, cp1252;
  } cases[] = {
      {"", ""},
      {"cami\xC3\xB3n \xE2\x80\x93 \xE2\x96\xB8 \xCE\xA9", "cami\xF3n \x96 ? ?"},  // – kept; ▸ Ω replaced
      {"a\xC3", "a?"},                                                             // truncated
      {"\xE9t\xE9", "?t?"},                                                         // Latin-1 bytes
      {"\xF0\x9F\x98\x80!", "?!"},                                                // one character, one mark
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(tools::utf8_to_cp1252_replacing(c.utf8, '?'), c.cp1252);
  }
}

TEST(Utf8Cp1252, EveryDefinedByteRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = tools::cp1252_to_utf8(byte);
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
      EXPECT_EQ(utf8, "\xEF\xBF\xBD");
      EXPECT_EQ(tools::utf8_to_cp1252(utf8), std::nullopt);
    } else {
      EXPECT_EQ(tools::utf8_to_cp1252(utf8), byte);
    }
  }
}

}  // namespace
