// The dictionary the build makes from hunspell-es, the word counts of written Spanish and word
// frequencies, when it is there.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_loader.h"
#include "text/code_page_text.h"
#include "tools/utf8_cp1252.h"

namespace {

TEST(RealDictionary, RestoresCommonWords) {
  std::ifstream in(TILDARIO_REAL_DICTIONARY, std::ios::binary);
  if (!in) GTEST_SKIP() << "no " TILDARIO_REAL_DICTIONARY " (scripts/make-dictionary.sh makes it)";
  const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto load = accents::load_accent_dictionary(file);
  ASSERT_FALSE(load.format_error);
  ASSERT_GT(load.dictionary.entry_count(), 100000u);

  const struct {
    const char* text;
    const char* restored;
  } cases[] = {
      {"Mañana tambien vendra el autobus despues de la cancion",
       "Mañana también vendrá el autobús después de la canción"},
      // Rare forms that would otherwise block the common word.
      {"mas numero linea pagina indice", "más número línea página índice"},
      // Both forms common: the plain word stays.
      {"si esta que como donde el tu mi se solo", "si esta que como donde el tu mi se solo"},
      {"CAMION Arbol pinguino", "CAMIÓN Árbol pinguino"},
      // Written usage decides where subtitles did not: válido, usará.
      {"el valor valido se usara", "el valor válido se usará"},
      // Words of today's technical Spanish that the word list lacks.
      {"pixeles inicializacion submenu", "píxeles inicialización submenú"},
      // English words, names and abbreviations that the texts write as they are.
      {"release cluster latex Debian max min num", "release cluster latex Debian max min num"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto text = tools::utf8_to_cp1252(c.text);
    ASSERT_TRUE(text);
    text::CodePageText restored{*text, {}, {}};
    accents::AccentCorrections corrections;
    accents::restore_accents(restored, load.dictionary, corrections);
    EXPECT_EQ(tools::cp1252_to_utf8(restored.text), c.restored);
  }
}

}  // namespace
