// The dictionary the build makes from hunspell-es, the word counts of written Spanish and word
// frequencies, when it is there.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_index.h"
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

// The index the build ships beside the dictionary is this dictionary's, and answers every
// entry, and every plain and one-accent spelling of it, as the table loaded from the file does.
TEST(RealDictionary, ShippedIndexAnswersAsTheFile) {
  std::ifstream in(TILDARIO_REAL_DICTIONARY, std::ios::binary);
  std::string index_path = TILDARIO_REAL_DICTIONARY;
  index_path.replace(index_path.size() - 4, 4, accents::index_extension);
  std::ifstream index_in(index_path, std::ios::binary);
  if (!in || !index_in)
    GTEST_SKIP() << "no " TILDARIO_REAL_DICTIONARY " and index (scripts/make-dictionary.sh makes them)";
  const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::vector<char> index_bytes{std::istreambuf_iterator<char>(index_in), std::istreambuf_iterator<char>()};
  auto aligned = std::make_shared<std::vector<std::uint64_t>>(index_bytes.size() / 8 + 1);
  std::memcpy(aligned->data(), index_bytes.data(), index_bytes.size());
  const std::span<const unsigned char> index(reinterpret_cast<const unsigned char*>(aligned->data()),
                                             index_bytes.size());

  const auto load = accents::load_accent_dictionary(file);
  ASSERT_FALSE(load.format_error);
  const auto indexed = accents::open_dictionary_index(index, accents::fingerprint_of(file), aligned);
  ASSERT_TRUE(indexed) << index_path << " was not made from " << TILDARIO_REAL_DICTIONARY;
  EXPECT_EQ(indexed->entry_count(), load.dictionary.entry_count());
  EXPECT_EQ(indexed->distinct_count(), load.dictionary.distinct_count());
  EXPECT_EQ(indexed->longest(), load.dictionary.longest());

  const auto tables = load.dictionary.tables();
  std::size_t differing = 0;
  for (std::size_t i = 0; i + 1 < tables.starts.size(); ++i) {
    const std::string word(tables.arena.data() + tables.starts[i], tables.starts[i + 1] - tables.starts[i]);
    std::string plain = word;
    for (char& c : plain) {
      const std::size_t k = std::string_view("\xE1\xE9\xED\xF3\xFA").find(c);
      if (k != std::string_view::npos) c = "aeiou"[k];
    }
    for (std::size_t at = 0; at <= plain.size(); ++at) {
      std::string spelling = plain;
      if (at < plain.size()) {
        const std::size_t k = std::string_view("aeiou").find(plain[at]);
        if (k == std::string_view::npos) continue;
        spelling[at] = "\xE1\xE9\xED\xF3\xFA"[k];
      }
      if (indexed->contains(spelling) != load.dictionary.contains(spelling)) ++differing;
    }
    if (indexed->contains(word + "s") != load.dictionary.contains(word + "s")) ++differing;
  }
  EXPECT_EQ(differing, 0u);
}

}  // namespace
