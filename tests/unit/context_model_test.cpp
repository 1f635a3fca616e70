#include "accents/context_model.h"

#include <gtest/gtest.h>

#include <sstream>
#include <unordered_set>
#include <string>
#include <vector>

#include "accents/accent_restoration.h"
#include "tools/context_counts.h"
#include "tools/context_model_file.h"

namespace {

using accents::ContextFeature;

// A small corpus (code page 1252): "está" before "disponible" and after "no", "esta" before
// nouns, "qué" after "¿", and one misspelling.
std::vector<std::string> corpus() {
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) {
    lines.push_back("La funci\xF3n est\xE1 disponible en esta versi\xF3n.");
    lines.push_back("Esta opci\xF3n no est\xE1 marcada; esta casilla s\xED.");
    lines.push_back("\xBFQu\xE9 es esto? Dice que no.");
  }
  return lines;
}

accents::AccentDictionary dictionary() {
  accents::AccentDictionary d;
  for (const char* w : {"esta", "est\xE1", "\xE9sta", "que", "qu\xE9", "si", "s\xED", "figura", "f\xEDgura"}) d.add(w);
  return d;
}

std::string model_bytes(const tools::ContextCounts& counts, tools::ContextModelSettings settings = {}) {
  settings.accent_threshold = 2;
  settings.plain_threshold = 2;
  return tools::make_context_model(counts, settings);
}

accents::ContextModel load(const std::string& bytes) {
  auto model =
      accents::ContextModel::load(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
  EXPECT_TRUE(model);
  return model ? std::move(*model) : accents::ContextModel{};
}

std::string restore(const std::string& text, const accents::ContextModel& model,
                    accents::AccentCorrections* corrections = nullptr) {
  const accents::AccentDictionary d = dictionary();
  text::CodePageText t{text, {}, {}};
  accents::AccentCorrections ignored;
  accents::AccentRestorer(d, &model).restore(t, corrections ? *corrections : ignored);
  return t.text;
}

TEST(ContextCounts, CountsTheNeighboursOfEachSpelling) {
  const tools::ContextCounts counts = tools::count_contexts(corpus(), {});
  ASSERT_TRUE(counts.contains("esta"));
  const tools::ContextGroup& esta = counts.at("esta");
  EXPECT_EQ(esta.spellings, (std::vector<std::string>{"esta", "est\xE1"}));
  EXPECT_EQ(esta.totals, (std::vector<std::uint64_t>{90, 60}));
  EXPECT_EQ(esta.features.at({ContextFeature::one_after, "disponible", ""}), (std::vector<std::uint64_t>{0, 30}));
  EXPECT_EQ(esta.features.at({ContextFeature::two_before, "", ""}), (std::vector<std::uint64_t>{30, 0}));
  EXPECT_EQ(esta.features.at({ContextFeature::two_after, "opcion", "no"}), (std::vector<std::uint64_t>{30, 0}));
  EXPECT_EQ(counts.at("que").totals, (std::vector<std::uint64_t>{30, 30}));
  // "sí" is never written plain: no choice to make.
  EXPECT_EQ(counts.size(), 2u);
  // Features seen once are left out.
  for (const auto& [plain, group] : counts)
    for (const auto& [feature, n] : group.features) EXPECT_GE(n[0] + n[1], 2u) << plain;
}

TEST(ContextCounts, WrittenAndReadBack) {
  const tools::ContextCounts counts = tools::count_contexts(corpus(), {});
  std::stringstream table;
  tools::write_context_counts(table, counts);
  std::string error;
  const auto back = tools::read_context_counts(table, error);
  ASSERT_TRUE(back) << error;
  ASSERT_EQ(back->size(), counts.size());
  for (const auto& [plain, group] : counts) {
    EXPECT_EQ(back->at(plain).spellings, group.spellings);
    EXPECT_EQ(back->at(plain).totals, group.totals);
    EXPECT_EQ(back->at(plain).features, group.features);
  }
}

TEST(ContextCounts, MalformedTablesAreRejected) {
  const std::string header = "spelling\tfeature\tfirst\tsecond\tcount\n";
  const std::string good = header + "esta\t*\t\t\t5\nesta\t+1\tcasa\t\t2\nest\xC3\xA1\t*\t\t\t3\n";
  std::string error;
  std::stringstream ok(good);
  EXPECT_TRUE(tools::read_context_counts(ok, error)) << error;
  for (const std::string& table : {
           std::string("word\tcount\n"),
           header + "esta\t*\t\t\t5\n",                                              // a single spelling
           header + "esta\t*\t\t5\nest\xC3\xA1\t*\t\t\t3\n",                         // four fields
           header + "esta\t*\t\t\tcinco\nest\xC3\xA1\t*\t\t\t3\n",                   // no number
           header + "esta\t*\t\t\t0\nest\xC3\xA1\t*\t\t\t3\n",                       // zero
           header + "Esta\t*\t\t\t5\nest\xC3\xA1\t*\t\t\t3\n",                       // capitals
           header + "\xC3\xA9st\xC3\xA1\t*\t\t\t5\nesta\t*\t\t\t3\n",                // two accents
           header + "esta\t*\t\t\t5\nesta\t*\t\t\t3\n",                              // given twice
           header + "esta\t+3\tcasa\t\t2\nesta\t*\t\t\t5\nest\xC3\xA1\t*\t\t\t3\n",  // unknown feature
           header + "esta\t+1\tcasa\t\t2\nesta\t*\t\t\t5\nest\xC3\xA1\t*\t\t\t3\n",  // before its spelling
           header + "esta\t*\t\t\t5\nesta\t+1\tcasa\t\t2\nesta\t+1\tcasa\t\t2\nest\xC3\xA1\t*\t\t\t3\n",
           header + "esta\t*\t\t\t5\nest\xE1\t*\t\t\t3\n",  // not UTF-8
       }) {
    std::stringstream in(table);
    EXPECT_FALSE(tools::read_context_counts(in, error)) << table;
  }
}

TEST(ContextModel, TheNeighboursDecide) {
  const accents::ContextModel model = load(model_bytes(tools::count_contexts(corpus(), {})));
  EXPECT_EQ(model.form_count(), 2u);
  const struct {
    std::string text, restored;
  } cases[] = {
      {"El men\xFA esta disponible.", "El men\xFA est\xE1 disponible."},
      {"AHORA ESTA DISPONIBLE", "AHORA EST\xC1 DISPONIBLE"},
      {"\xBFQue es?", "\xBFQu\xE9 es?"},
      // Where the neighbours say the dictionary's word, or nothing the model knows, the
      // dictionary's choice stands: here the plain word, which it holds.
      {"Esta opcion no esta marcada.", "Esta opcion no est\xE1 marcada."},
      // A line that starts with "esta": in the corpus always the plain word.
      {"esta disponible", "esta disponible"},
      {"esta cosa", "esta cosa"},
      {"Dice que no", "Dice que no"},
      // A word written with its accent is left alone.
      {"\xE9sta disponible", "\xE9sta disponible"},
  };
  for (const auto& c : cases) EXPECT_EQ(restore(c.text, model), c.restored) << c.text;
  accents::AccentCorrections corrections;
  restore("y esta disponible", model, &corrections);
  EXPECT_EQ(corrections.count, 1);
  EXPECT_EQ(corrections.list, "est\xE1\r\n");
}

// A form's spellings may all hold a ñ: the word as written with it is the form too.
TEST(ContextModel, WordsWrittenWithTheirMarksAreForms) {
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) {
    lines.push_back("Ayer acu\xF1\xF3 la moneda.");
    lines.push_back("Yo acu\xF1o monedas.");
  }
  const accents::ContextModel model = load(model_bytes(tools::count_contexts(lines, {})));
  accents::AccentDictionary d;
  for (const char* w : {"acu\xF1o", "acu\xF1\xF3", "cami\xF3n"}) d.add(w);
  const struct {
    std::string text, restored;
  } cases[] = {
      {"Ayer acu\xF1o la moneda.", "Ayer acu\xF1\xF3 la moneda."},
      {"AYER ACU\xD1O LA MONEDA", "AYER ACU\xD1\xD3 LA MONEDA"},
      {"Yo acu\xF1o monedas.", "Yo acu\xF1o monedas."},
      // Words the model does not know take the dictionary's accent.
      {"Un camion", "Un cami\xF3n"},
  };
  for (const auto& c : cases) {
    text::CodePageText t{c.text, {}, {}};
    accents::AccentCorrections corrections;
    accents::AccentRestorer(d, &model).restore(t, corrections);
    EXPECT_EQ(t.text, c.restored) << c.text;
  }
}

TEST(ContextModel, ThresholdsAndFeaturesAreHonoured) {
  const tools::ContextCounts counts = tools::count_contexts(corpus(), {});
  tools::ContextModelSettings strict;
  strict.accent_threshold = 1000;
  strict.plain_threshold = 1000;
  EXPECT_EQ(restore("y esta disponible", load(tools::make_context_model(counts, strict))), "y esta disponible");
  // With the word before alone, "disponible" after says nothing.
  tools::ContextModelSettings before_only;
  before_only.accent_threshold = 2;
  before_only.features = {ContextFeature::one_before};
  const accents::ContextModel model = load(tools::make_context_model(counts, before_only));
  EXPECT_EQ(restore("y esta disponible", model), "y esta disponible");
  EXPECT_EQ(restore("no esta", model), "no est\xE1");
}

// "está" before thirty participles, each written once: no one of them counts, their ending does.
TEST(ContextModel, EndingsStandForNeighboursSeenTooRarely) {
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) {
    lines.push_back("El archivo est\xE1 b" +
                    std::string{static_cast<char>('a' + i % 26), static_cast<char>('a' + i / 26)} + "ado hoy.");
    lines.push_back("Esta casa es nueva.");
  }
  const tools::ContextCounts counts = tools::count_contexts(lines, {});
  const tools::ContextGroup& esta = counts.at("esta");
  EXPECT_EQ(esta.features.at({ContextFeature::ending_after, "ado", ""}), (std::vector<std::uint64_t>{0, 30}));
  // "archivo" is counted itself, so its ending is not.
  EXPECT_TRUE(esta.features.contains({ContextFeature::one_before, "archivo", ""}));
  EXPECT_FALSE(esta.features.contains({ContextFeature::ending_before, "ivo", ""}));

  const accents::ContextModel model = load(model_bytes(counts));
  EXPECT_EQ(restore("El fichero esta configurado.", model), "El fichero est\xE1 configurado.");
  // A word the model holds speaks for itself, not its ending: "casa" after, plain.
  EXPECT_EQ(restore("Luego esta casa.", model), "Luego esta casa.");
  // Short words and marks have no ending.
  EXPECT_EQ(restore("El fichero esta ado.", model), "El fichero esta ado.");
  tools::ContextModelSettings whole_words;
  whole_words.accent_threshold = 2;
  whole_words.features = {ContextFeature::one_before, ContextFeature::one_after, ContextFeature::two_before,
                          ContextFeature::two_after};
  EXPECT_EQ(restore("El fichero esta configurado.", load(tools::make_context_model(counts, whole_words))),
            "El fichero esta configurado.");
}

// A spelling with ñ or ü takes its own threshold: "ano" never written, "año" after "un".
TEST(ContextModel, MarksHaveTheirOwnThreshold) {
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) lines.push_back("Hace un a\xF1o que vino.");
  tools::ContextCounting counting;
  counting.plain_is_word = [](const std::string& plain) { return plain == "ano"; };
  tools::ContextCounts counts = tools::count_contexts(lines, counting);
  tools::add_plain_spellings(counts, [](const std::string& plain) { return plain == "ano"; });
  ASSERT_TRUE(counts.contains("ano"));
  accents::AccentDictionary d;
  for (const char* w : {"ano", "a\xF1o"}) d.add(w);
  const auto restored = [&d, &counts](const tools::ContextModelSettings& settings) {
    const accents::ContextModel model = load(tools::make_context_model(counts, settings));
    text::CodePageText t{"hace un ano", {}, {}};
    accents::AccentCorrections corrections;
    accents::AccentRestorer(d, &model).restore(t, corrections);
    return t.text;
  };
  tools::ContextModelSettings settings;
  settings.unwritten_gap = 2;
  settings.accent_threshold = 20;
  EXPECT_EQ(restored(settings), "hace un ano");
  settings.mark_threshold = 2;
  EXPECT_EQ(restored(settings), "hace un a\xF1o");
  settings.accent_threshold = 2;
  settings.mark_threshold = 20;
  EXPECT_EQ(restored(settings), "hace un ano");
}

TEST(ContextModel, MisspellingsLeftOutOfTheSpellings) {
  std::vector<std::string> lines = corpus();
  for (int i = 0; i < 5; ++i) lines.push_back("una f\xEDgura rara, la figura");
  tools::ContextCounts counts = tools::count_contexts(lines, {});
  ASSERT_TRUE(counts.contains("figura"));
  tools::keep_spellings(counts, [](const std::string& s) { return s != "f\xEDgura"; });
  EXPECT_FALSE(counts.contains("figura"));
  EXPECT_TRUE(counts.contains("esta"));
}

TEST(ContextModel, PiecesCutAtLineBreaksGiveTheWholeTextsResult) {
  const accents::ContextModel model = load(model_bytes(tools::count_contexts(corpus(), {})));
  const accents::AccentDictionary d = dictionary();
  std::string whole_text;
  for (const std::string& line : corpus()) whole_text += line + "\r\n";
  for (char& c : whole_text)
    if (c == '\xE1') c = 'a';
  text::CodePageText whole{whole_text, {}, {}};
  accents::AccentCorrections all;
  accents::AccentRestorer(d, &model).restore(whole, all);

  accents::AccentRestorer pieces(d, &model);
  accents::AccentCorrections some;
  std::string joined;
  for (std::size_t start = 0; start < whole_text.size();) {
    const std::size_t end = whole_text.find('\n', start + 200) == std::string::npos
                                ? whole_text.size()
                                : whole_text.find('\n', start + 200) + 1;
    text::CodePageText piece{whole_text.substr(start, end - start), {}, {}};
    pieces.restore(piece, some);
    joined += piece.text;
    start = end;
  }
  EXPECT_EQ(joined, whole.text);
  EXPECT_EQ(some.count, all.count);
  EXPECT_GT(all.count, 30);
}

// A restorer that takes over a later piece from another, with what the other has learnt of the
// text's words (the model's among them), gives what the other would have.
TEST(ContextModel, ARestorerTakesOverWhatAnotherHasLearnt) {
  const accents::ContextModel model = load(model_bytes(tools::count_contexts(corpus(), {})));
  accents::AccentDictionary d = dictionary();
  for (const char* w : {"funci\xF3n", "versi\xF3n", "opci\xF3n"}) d.add(w);
  std::string text;
  for (const std::string& line : corpus()) text += line + "\r\n";
  for (char& c : text) c = c == '\xE1' ? 'a' : c == '\xE9' ? 'e' : c == '\xF3' ? 'o' : c;
  const std::size_t half = text.find('\n', text.size() / 2) + 1;
  for (const accents::ContextModel* m : {&model, static_cast<const accents::ContextModel*>(nullptr)}) {
    text::CodePageText whole{text, {}, {}};
    accents::AccentCorrections all;
    accents::AccentRestorer(d, m).restore(whole, all);

    accents::AccentRestorer first(d, m), second(d, m);
    text::CodePageText before{text.substr(0, half), {}, {}}, after{text.substr(half), {}, {}};
    accents::AccentCorrections some, more;
    first.restore(before, some);
    second.learn_from(first);
    second.restore(after, more);
    EXPECT_EQ(before.text + after.text, whole.text);
    EXPECT_EQ(some.count + more.count, all.count);
    EXPECT_GT(more.count, 20);
  }
}

TEST(ContextModel, DamagedFilesAreRefused) {
  const std::string good = model_bytes(tools::count_contexts(corpus(), {}));
  namespace f = accents::context_file;
  // The forms are "esta" and "que", in that order; "esta"'s first spelling is the plain one.
  const std::size_t forms_at = f::header_size, candidates_at = forms_at + 2 * f::form_record_size;
  const auto with = [&good](std::initializer_list<std::pair<std::size_t, char>> changes) {
    std::string bytes = good;
    for (const auto& [offset, byte] : changes) bytes[offset] = byte;
    return bytes;
  };
  const std::size_t accented = good.find("est\xE1");
  ASSERT_NE(accented, std::string::npos);
  const std::string damaged[] = {
      std::string(),
      good.substr(0, f::header_size),
      good.substr(0, good.size() - 1),
      good + '\0',
      with({{0, 'X'}}),                 // magic
      with({{8, '\x01'}}),              // an unknown feature
      with({{41, '\x10'}}),             // features said to lie too far from their slots
      with({{20, '\x07'}}),             // form count
      with({{forms_at + 9, '\x09'}}),   // too many spellings
      with({{forms_at + 8, '\0'}}),     // an empty form
      with({{forms_at + 8, '\x7F'}}),   // a form past the strings
      with({{candidates_at, '\x02'}}),  // a spelling of other letters ("sta" + the next form's first)
      with({{accented, '\xE9'}}),       // a spelling with two acute accents
      with({{forms_at + f::form_record_size, '\0'}, {forms_at + f::form_record_size + 8, '\x04'}}),  // "esta" twice
  };
  for (std::size_t k = 0; k < std::size(damaged); ++k) {
    SCOPED_TRACE(k);
    const std::string& bytes = damaged[k];
    EXPECT_FALSE(
        accents::ContextModel::load(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())));
  }
  EXPECT_TRUE(accents::ContextModel::load(std::span(reinterpret_cast<const unsigned char*>(good.data()), good.size())));
}

// Words written without ñ or ü: restored where the plain letters make no word, in the case
// they were written, the acute accent then from the dictionary; every word counted once.
TEST(MarkSpellings, OnlyWhereNothingElseIsMeant) {
  // clang-format off
  const std::unordered_set<std::string> forms = {
      "espa\xF1ol", "a\xF1o", "ano", "campa\xF1" "a", "campana", "compa\xF1\xED" "a", "ni\xF1o", "t\xFAnel"};
  const std::unordered_set<std::string> spellings = {
      "espa\xF1ol", "a\xF1o", "ano", "campa\xF1" "a", "campana", "compa\xF1\xED" "a", "ni\xF1o",
      "ping\xFCino",                   // from a word list: not a form, still a spelling
      "\xF1" "ana", "na\xF1" "a",       // two words with the same plain letters
      "t\xFCnel",                       // its plain letters with an acute make a form
      "\xF1" "ame"};                     // "name" is written more often
  const auto written = [](const std::string& word) { return word == "name" ? std::uint64_t{5} : std::uint64_t{0}; };
  // clang-format on
  const std::vector<tools::MarkSpelling> expected = {
      {"compania", 1u << 5}, {"espanol", 1u << 4}, {"nino", 1u << 2}, {"pinguino", 1u << 4}};
  EXPECT_EQ(tools::mark_spellings(spellings, forms, written), expected);
}

TEST(MarkSpellings, RestoredWithTheContextModelOnly) {
  const std::string bytes = tools::make_context_model(
      {}, {}, {{"compania", 1u << 5}, {"espanol", 1u << 4}, {"manana", 1u << 2}, {"pinguino", 1u << 4}});
  const accents::ContextModel model = load(bytes);
  accents::AccentDictionary d;
  for (const char* w : {"compa\xF1\xED"
                        "a",
                        "espa\xF1ol",
                        "ma\xF1"
                        "ana",
                        "ping\xFCino", "ano"})
    d.add(w);

  const std::string text = "El espanol de MANANA, Compania; PinGuino y ano. espa\xF1ol";
  text::CodePageText t{text, {}, {}};
  accents::AccentCorrections corrections;
  accents::AccentRestorer(d, &model).restore(t, corrections);
  EXPECT_EQ(t.text,
            "El espa\xF1ol de MA\xD1"
            "ANA, Compa\xF1\xED"
            "a; PinG\xFCino y ano. espa\xF1ol");
  EXPECT_EQ(corrections.count, 4);
  EXPECT_EQ(corrections.list,
            "espa\xF1ol\r\nma\xF1"
            "ana\r\ncompa\xF1\xED"
            "a\r\nping\xFCino\r\n");

  text::CodePageText without{text, {}, {}};
  accents::AccentCorrections none;
  accents::AccentRestorer(d).restore(without, none);
  EXPECT_EQ(without.text, text);
}

TEST(MarkSpellings, DamagedRecordsAreRefused) {
  const std::string good = tools::make_context_model({}, {}, {{"espanol", 1u << 4}});
  namespace f = accents::context_file;
  const std::size_t record = good.size() - 7 - f::mark_record_size;
  const auto with = [&good](std::size_t offset, char byte) {
    std::string bytes = good;
    bytes[offset] = byte;
    return bytes;
  };
  const std::string damaged[] = {
      with(record, '\x01'),           // past the text
      with(record + 4, '\x01'),       // a tilde on the "e"
      with(record + 4, '\0'),         // no mark at all
      with(record + 7, '\x01'),       // a mark past the word
      with(record + 8, '\0'),         // an empty word
      with(record + 8, '\x21'),       // longer than a mask
      with(good.size() - 1, '\xF1'),  // the word already marked
  };
  for (std::size_t k = 0; k < std::size(damaged); ++k) {
    SCOPED_TRACE(k);
    EXPECT_FALSE(accents::ContextModel::load(
        std::span(reinterpret_cast<const unsigned char*>(damaged[k].data()), damaged[k].size())));
  }
  EXPECT_TRUE(accents::ContextModel::load(std::span(reinterpret_cast<const unsigned char*>(good.data()), good.size())));
}

}  // namespace
