#include "text/case_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "text/code_page_1252.h"
#include "text/code_page_text.h"

namespace {

using text::CaseChange;

// The commands on bytes alone, through the functions the program calls.
std::string converted(std::string_view bytes, bool (*change_case)(text::CodePageText&)) {
  text::CodePageText t{std::string(bytes), {}, {}};
  change_case(t);
  return t.text;
}

TEST(CaseConversion, MixedCase) {
  // clang-format off
  const struct {
    std::string in, out;
  } cases[] = {
      {"hola MUNDO", "Hola Mundo"},
      {"EL NI\xD1O", "El Ni\xF1o"},
      {"\xE1rbol-\xC9POCA", "\xC1rbol-\xC9poca"},
      // After a digit a letter continues its word; after an apostrophe it starts one.
      {"3er piso 2\xAA planta 1ER", "3er Piso 2\xAA Planta 1er"},
      {"x\xB2y 10kg", "X\xB2y 10kg"},
      {"don't", "Don'T"},
      {"o'neil", "O'Neil"},
      {"uno\r\ndos\ttres", "Uno\r\nDos\tTres"},
      {"McDonald", "Mcdonald"},
      {"\x97hola \x84" "adi\xF3s\x93", "\x97Hola \x84" "Adi\xF3s\x93"},
      {"123 - 456", "123 - 456"},
      {"", ""},
      {std::string("a\0b", 3), std::string("A\0B", 3)},
      {"\xFF" "e \x9A" "A", "\x9F" "e \x8A" "a"},  // ÿe šA: ÿ and š have capitals in the code page
      {"\xDF" "a \xB5" "a", "\xDF" "a \xB5" "a"},   // ß and µ are letters without a capital
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(converted(c.in, text::to_mixed_case), c.out);
  }
}

TEST(CaseConversion, UpperAndLowerKeepLengthAndNonLetters) {
  EXPECT_EQ(converted("acci\xF3n ni\xF1o 3-b \xDF", text::to_upper_case), "ACCI\xD3N NI\xD1O 3-B \xDF");
  // clang-format off
  EXPECT_EQ(text::to_lower_case("\xC1RBOL \xDC" "BER 42"), "\xE1rbol \xFC" "ber 42");
  // clang-format on
  EXPECT_EQ(converted("123 - 456", text::to_upper_case), "123 - 456");
  EXPECT_EQ(text::to_lower_case(""), "");
}

// Each byte takes the code page's own case, alone or among ASCII neighbours, wherever it falls.
TEST(CaseConversion, EveryByteInEveryPosition) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  for (int b = 0; b < 128; ++b) bytes += std::string(9, static_cast<char>(b));
  for (std::size_t shift = 0; shift < 8; ++shift) {
    SCOPED_TRACE(shift);
    const std::string in = std::string(shift, '.') + bytes;
    const std::string upper = converted(in, text::to_upper_case), lower = converted(in, text::to_lower_case);
    for (std::size_t i = 0; i < in.size(); ++i) {
      const auto b = static_cast<unsigned char>(in[i]);
      ASSERT_EQ(static_cast<unsigned char>(upper[i]), text::cp1252::to_upper(b)) << i;
      ASSERT_EQ(static_cast<unsigned char>(lower[i]), text::cp1252::to_lower(b)) << i;
    }
  }
}

std::u16string changed(std::u16string_view units, CaseChange change) {
  text::CodePageText t = text::from_utf16(units);
  text::change_case(t, change);
  return text::to_utf16(t);
}

// Letters the code page cannot hold take their own Unicode case mapping, never their stand-in's.
TEST(CaseConversion, LettersOutsideTheCodePage) {
  const struct {
    std::u16string in;
    CaseChange change;
    std::u16string out;
  } cases[] = {
      {u"Gdańsk, Kraków, Poznań, Timișoara", CaseChange::upper, u"GDAŃSK, KRAKÓW, POZNAŃ, TIMIȘOARA"},
      {u"ŃŔĆŞŢ ΩΑ Straße", CaseChange::lower, u"ńŕćşţ ωα straße"},
      {u"ωmega αβγ ß", CaseChange::upper, u"ΩMEGA ΑΒΓ ß"},
      {u"привет МИР", CaseChange::mixed, u"Привет Мир"},
      {u"ǆungla Ǆ", CaseChange::mixed, u"ǅungla ǅ"},
      // A letter after a foreign letter continues its word; after a foreign mark it starts one.
      {u"łódź→éxito 中文abc", CaseChange::mixed, u"Łódź→Éxito 中文abc"},
      // After any decimal digit too, the Arabic-Indic and the full-width ones included.
      {u"٣er ３ER 𝟑er", CaseChange::mixed, u"٣er ３er 𝟑er"},
      {u"emoji 😀 𐐨𐐨 → café", CaseChange::upper, u"EMOJI 😀 𐐀𐐀 → CAFÉ"},
      {u"emoji 😀 𐐀𐐀 → café", CaseChange::lower, u"emoji 😀 𐐨𐐨 → café"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.in));
    EXPECT_EQ(changed(c.in, c.change), c.out);
  }
}

// A text changed piece by piece equals the text changed whole, wherever the pieces are cut.
TEST(CaseConversion, PiecesGiveTheWholeTextsResult) {
  const std::u16string whole = u"hola 3er ŃANDU ωmega-ÁRBOL o'neil 😀x";
  for (const CaseChange change : {CaseChange::upper, CaseChange::lower, CaseChange::mixed}) {
    SCOPED_TRACE(static_cast<int>(change));
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
      SCOPED_TRACE(cut);
      text::CaseChanger changer(change);
      text::CodePageText first = text::from_utf16(std::u16string_view(whole).substr(0, cut));
      text::CodePageText second = text::from_utf16(std::u16string_view(whole).substr(cut));
      changer.apply(first);
      changer.apply(second);
      EXPECT_EQ(text::to_utf16(first) + text::to_utf16(second), changed(whole, change));
    }
  }
}

TEST(CaseConversion, ChangeCaseTellsWhetherAnythingChanged) {
  const struct {
    std::u16string in;
    CaseChange change;
    bool changes;
  } cases[] = {
      {u"HOLA 123", CaseChange::upper, false},   {u"hola", CaseChange::upper, true},
      {u"Hola Mundo", CaseChange::mixed, false}, {u"Hola mundo", CaseChange::mixed, true},
      {u"中文 😀 →", CaseChange::lower, false},   {u"Ω", CaseChange::lower, true},
      {u"", CaseChange::mixed, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.in));
    text::CodePageText t = text::from_utf16(c.in);
    EXPECT_EQ(text::change_case(t, c.change), c.changes);
  }
}

}  // namespace
