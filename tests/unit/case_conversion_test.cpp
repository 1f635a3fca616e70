#include "text/case_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CaseConversion, MixedCase) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"hola MUNDO", "Hola Mundo"},
      {"EL NI\xD1O", "El Ni\xF1o"},
      {"\xE1rbol-\xC9POCA", "\xC1rbol-\xC9poca"},
      {"3er piso", "3Er Piso"},
      {"don't", "Don'T"},
      {"o'neil", "O'Neil"},
      {"uno\r\ndos\ttres", "Uno\r\nDos\tTres"},
      {"McDonald", "Mcdonald"},
      {"123 - 456", "123 - 456"},
      {"", ""},
      {std::string("a\0b", 3), std::string("A\0B", 3)},
      {"\xFF" "e \x9A" "A", "\x9F" "e \x8A" "a"},  // ÿe šA: ÿ and š have capitals in the code page
      {"\xDF" "a \xB5" "a", "\xDF" "a \xB5" "a"},   // ß and µ are letters without a capital
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(text::to_mixed_case(c.in), c.out);
  }
}

TEST(CaseConversion, UpperAndLowerKeepLengthAndNonLetters) {
  EXPECT_EQ(text::to_upper_case("acci\xF3n ni\xF1o 3-b"), "ACCI\xD3N NI\xD1O 3-B");
  EXPECT_EQ(text::to_lower_case("\xC1RBOL \xDC" "BER 42"), "\xE1rbol \xFC" "ber 42");
  EXPECT_EQ(text::to_upper_case("123 - 456"), "123 - 456");
  EXPECT_EQ(text::to_lower_case(""), "");
}

TEST(CaseConversion, ApplyCaseStyle) {
  const struct {
    int style;
    std::string out;
  } cases[] = {{0, "cami\xF3n area"}, {1, "cami\xF3n area"}, {2, "Cami\xF3n Area"},
               {3, "CAMI\xD3N AREA"}, {7, "cami\xF3n area"}, {-1, "cami\xF3n area"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    EXPECT_EQ(text::apply_case_style("cAmi\xF3n AREA", c.style), c.out);
  }
}

}  // namespace
