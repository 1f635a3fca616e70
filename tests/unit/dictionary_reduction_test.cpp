#include "tools/dictionary_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <string>
#include <vector>

#include "accents/accent_dictionary.h"
#include "accents/accent_restoration.h"
#include "text/code_page_text.h"

namespace {

using Words = std::vector<std::string>;

accents::AccentDictionary dictionary_of(const Words& entries) {
  accents::AccentDictionary d;
  for (const auto& e : entries) d.add(e);
  return d;
}

std::string restore(const std::string& text, const Words& entries) {
  text::CodePageText restored{text, {}, {}};
  accents::AccentCorrections corrections;
  accents::restore_accents(restored, dictionary_of(entries), corrections);
  return restored.text;
}

Words sorted(Words w) {
  std::sort(w.begin(), w.end());
  return w;
}

// Code page 1252: á E1, é E9, í ED, ó F3, ú FA, ü FC.
// clang-format off
const Words forms = {
    "cami\xF3n", "camion",        // camion is also a form (as in a list of place names)
    "casa",                       // no accented variant
    "c\xF3mo",   "como",
    "esta",      "est\xE1",      "\xE9sta",
    "\xE1rbol",
    "ping\xFCino",                // ü is not an acute accent
    "d\xE1melo",
    "tr\xE1gicom\xE9" "dico",        // two accents
    "mas",       "m\xE1s",
    "estas",
};
// clang-format on

TEST(DictionaryReduction, OnePlainForm) {
  EXPECT_EQ(tools::one_accent_plain_form("cami\xF3n"), "camion");
  EXPECT_EQ(tools::one_accent_plain_form("\xE1rbol"), "arbol");
  EXPECT_EQ(tools::one_accent_plain_form("camion"), "");
  EXPECT_EQ(tools::one_accent_plain_form("ping\xFCino"), "");
  // clang-format off
  EXPECT_EQ(tools::one_accent_plain_form("tr\xE1gicom\xE9" "dico"), "");
  // clang-format on
  EXPECT_EQ(tools::one_accent_plain_form("\xC1rbol"), "");  // capitals never reach the tool
}

TEST(DictionaryReduction, KeepsAccentedFormsAndPlainFormsWithAVariant) {
  EXPECT_EQ(tools::keep_correctable_forms(forms),
            sorted({"cami\xF3n", "camion", "c\xF3mo", "como", "esta", "est\xE1", "\xE9sta", "\xE1rbol", "d\xE1melo",
                    "tr\xE1gicom\xE9"
                    "dico",
                    "mas", "m\xE1s"}));
  EXPECT_TRUE(tools::keep_correctable_forms({}).empty());
  EXPECT_TRUE(tools::keep_correctable_forms({"casa", "perro"}).empty());
}

// The forms left out can never change a result: every text restores the same with both.
TEST(DictionaryReduction, LeavingOutPlainWordsWithoutVariantChangesNothing) {
  const Words kept = tools::keep_correctable_forms(forms);
  std::string text = "Casa casa CASA cAsa perro Arbol arbol ARBOL camion Camion esta Esta ESTAS mas estas";
  // clang-format off
  text += " pinguino ping\xFCino Ping\xFCino damelo tragicom\xE9" "dico trag\xED" "comedico c\xE1mion 2 casas,casa.";
  // clang-format on
  // clang-format off
  for (const auto& f : forms) text += " " + f;
  // clang-format on
  EXPECT_EQ(restore(text, kept), restore(text, forms));
}

tools::WordFrequency ranks_only(tools::WordRanks ranks) {
  return tools::WordFrequency({}, {std::move(ranks)}, 1.0, 0.0);
}

tools::ChoiceMargins margin(double variant) {
  tools::ChoiceMargins m;
  m.variant = variant;
  return m;
}

TEST(DictionaryReduction, FrequencyChoiceByRanks) {
  const Words entries = {
      "mas",         "m\xE1s",                     // más far commoner: mas goes
      "numero",      "n\xFAmero",   "numer\xF3",   // número far commoner; numeró is right of it
      "si",          "s\xED",                      // close: si stays
      "que",         "qu\xE9",                     // the plain word is the commoner
      "indice",      "\xEDndice",                  // indice not ranked at all: it goes
      "termino",     "t\xE9rmino",  "termin\xF3",  // terminó commoner, but by less than the margin
      "llevo",       "ll\xE9vo",    "llev\xF3",    // llevó 5 times commoner: llevo and llévo go
      "c\xE1pitulo", "cap\xEDtulo",                // plain not a form: the ranked variant wins
      "camion",      "cami\xF3n",                  // no rank for either: nothing changes
      "paul",        "pa\xFAl",                    // only the plain word ranked: nothing changes
  };
  const tools::WordRanks ranks = {
      {"m\xE1s", 26},       {"mas", 459},        {"n\xFAmero", 436},   {"numero", 5990},
      {"s\xED", 20},        {"si", 32},          {"que", 1},           {"qu\xE9", 17},
      {"\xEDndice", 10976}, {"termino", 4961},   {"t\xE9rmino", 5341}, {"termin\xF3", 1379},
      {"llevo", 500},       {"ll\xE9vo", 30000}, {"llev\xF3", 100},    {"cap\xEDtulo", 5597},
      {"paul", 900},
  };
  const auto choice = tools::choose_by_frequency(entries, ranks_only(ranks), margin(5.0));

  EXPECT_EQ(choice.entries,
            sorted({"m\xE1s", "n\xFAmero", "numer\xF3", "si", "s\xED", "que", "qu\xE9", "\xEDndice", "termino",
                    "t\xE9rmino", "termin\xF3", "llev\xF3", "cap\xEDtulo", "camion", "cami\xF3n", "paul", "pa\xFAl"}));
  using Choice = std::pair<std::string, std::string>;
  EXPECT_EQ(choice.choices, (std::vector<Choice>{{"capitulo", "cap\xEDtulo"},
                                                 {"indice", "\xEDndice"},
                                                 {"llevo", "llev\xF3"},
                                                 {"mas", "m\xE1s"},
                                                 {"numero", "n\xFAmero"}}));
  EXPECT_EQ(choice.plain_forms_removed, 4u);
  EXPECT_EQ(choice.variants_removed, 2u);  // llévo, cápitulo
  EXPECT_EQ(choice.plain_forms_added, 0u);

  EXPECT_EQ(restore("Mas numero si que indice termino llevo capitulo camion paul", choice.entries),
            "M\xE1s n\xFAmero si que \xEDndice termino llev\xF3 cap\xEDtulo camion paul");
  EXPECT_EQ(restore("Mas numero si que indice termino llevo capitulo camion paul", entries),
            "Mas numero si que indice termino llevo c\xE1pitulo camion paul");
}

TEST(DictionaryReduction, MarginIsInclusive) {
  const Words entries = {"papa", "pap\xE1"};
  const struct {
    std::size_t plain_rank;
    bool plain_kept;
  } cases[] = {{49, true}, {50, false}, {51, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plain_rank);
    const auto choice =
        tools::choose_by_frequency(entries, ranks_only({{"papa", c.plain_rank}, {"pap\xE1", 10}}), margin(5.0));
    EXPECT_EQ(std::count(choice.entries.begin(), choice.entries.end(), "papa") == 1, c.plain_kept);
    EXPECT_EQ(std::count(choice.entries.begin(), choice.entries.end(), "pap\xE1"), 1);
  }
}

// What restoration makes of each plain word once the counts of written text have chosen.
TEST(DictionaryReduction, CountsOfWrittenTextChoose) {
  const Words entries = {
      "fallo",    "fall\xF3",   // written text: fallo commoner; subtitles: falló
      "valido",   "v\xE1lido",  // written text: válido far commoner; subtitles: valido
      "usara",    "usar\xE1",   // close in the corpus: the plain form stays
      "relase",   "rel\xE1se",  // the variant never written: nothing changes
      "l\xE1tex",               // latex, not a form, written 30 times: added as it is
      "m\xE1x",                 // max: written more often, but not twice as often
      "n\xFAm",                 // num: only twice, too few to be added
  };
  const std::unordered_map<std::string, std::uint64_t> counts = {
      {"fallo", 40}, {"fall\xF3", 10}, {"v\xE1lido", 60}, {"valido", 1}, {"usara", 10}, {"usar\xE1", 20},
      {"relase", 1}, {"latex", 30},    {"l\xE1tex", 1},   {"max", 12},   {"m\xE1x", 8}, {"num", 2},
  };
  const tools::WordRanks subtitles = {{"fall\xF3", 300}, {"fallo", 3000}, {"valido", 2000}, {"v\xE1lido", 9000}};
  tools::ChoiceMargins margins;
  margins.variant = 3.0;
  margins.plain = 2.0;
  margins.min_count = 3;
  const auto choice = tools::choose_by_frequency(entries, tools::WordFrequency(counts, {subtitles}, 1.0, 0.5), margins);
  EXPECT_EQ(choice.plain_forms_added, 1u);
  EXPECT_EQ(restore("fallo valido usara relase latex max num", choice.entries),
            "fallo v\xE1lido usara relase latex m\xE1x n\xFAm");
}

TEST(DictionaryReduction, FrequencyEstimate) {
  const tools::WordFrequency ranks({}, {{{"a", 1}, {"b", 10}}}, 1.0, 0.0);
  EXPECT_DOUBLE_EQ(ranks.estimate("a"), 10 * ranks.estimate("b"));  // Zipf: 1/rank
  EXPECT_EQ(ranks.estimate("c"), 0.0);

  // Two lists count half each; the smoothing is added to every word.
  const tools::WordFrequency both({{"a", 5}, {"c", 95}}, {{{"a", 1}}, {{"b", 1}}}, 0.5, 2.0);
  EXPECT_DOUBLE_EQ(both.estimate("a") - 5 - 2, both.estimate("b") - 2);
  EXPECT_DOUBLE_EQ(both.estimate("c"), 97.0);
  EXPECT_DOUBLE_EQ(both.estimate("d"), 2.0);
  EXPECT_EQ(both.count("c"), 95u);
  EXPECT_EQ(both.count("b"), 0u);
}

TEST(DictionaryReduction, AttestedAccentedForms) {
  using Counts = std::vector<std::uint32_t>;
  // clang-format off
  const std::unordered_map<std::string, Counts> counts = {
      {"inicializaci\xF3n", {5, 3}},  // two sources, always this accent: added
      {"p\xEDxeles", {30, 2}},        // in the word list already
      {"cl\xFAster", {4, 0}},         // one source only
      {"raz\xF3nes", {1, 1}},         // too few
      {"esquem\xE1", {20, 20}},       // another accent of the same word is common too
      {"esqu\xE9ma", {3, 0}},
      {"dise\xF1\xF3", {9, 9}},       // ñ is no acute accent: one accent
      {"tr\xE1gic\xF3", {9, 9}},      // two accents: no restoration can give it
      {"servidor", {50, 50}},         // no accent
      {"arr\xE1stre", {40, 2}},       // rare misspelling of the same plain word beside it
      {"arrastr\xE9", {1, 0}},
  };
  // clang-format on
  EXPECT_EQ(tools::attested_accented_forms(counts, {"p\xEDxeles"}, 3, 2),
            (Words{"arr\xE1stre", "dise\xF1\xF3", "inicializaci\xF3n"}));
  EXPECT_EQ(tools::attested_accented_forms(counts, {"p\xEDxeles"}, 3, 1),
            (Words{"arr\xE1stre", "cl\xFAster", "dise\xF1\xF3", "inicializaci\xF3n"}));
}

}  // namespace
