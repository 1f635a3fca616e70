#include "accents/accent_dictionary.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using accents::AccentDictionary;

TEST(AccentDictionary, ExactByteMembership) {
  AccentDictionary d;
  EXPECT_FALSE(d.contains("cami\xF3n"));
  EXPECT_FALSE(d.contains(""));

  d.add("cami\xF3n");
  d.add("cami\xF3n");
  d.add("");
  d.add(std::string("a\0b", 3));
  EXPECT_EQ(d.entry_count(), 4u);
  EXPECT_EQ(d.distinct_count(), 2u);

  // clang-format off
  const struct {
    std::string word;
    bool known;
  } cases[] = {
      {"cami\xF3n", true},
      {"camion", false},
      {"Cami\xF3n", false},      // no case folding
      {"cami\xF3n ", false},
      {"cami\xF3", false},
      {"", true},                // only because an empty entry was added
      {std::string("a\0b", 3), true},
      {"a", false},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(d.contains(c.word), c.known);
  }
}

TEST(AccentDictionary, FirstKnownOfSeveralWords) {
  AccentDictionary d;
  for (const char* w : {"cami\xF3n", "c\xF3mo", "casa"}) d.add(w);
  // clang-format off
  const struct {
    std::vector<std::string_view> words;
    std::size_t first;
  } cases[] = {
      {{}, 0},
      {{"camion"}, 1},
      {{"camion", "c\xE1mion", "cami\xF3n", "casa"}, 2},
      {{"casa", "cami\xF3n"}, 0},
      {{"a", "b", "c", "d", "e", "f", "g", "h", "i", "c\xF3mo"}, 9},  // more than one batch
      {{"", "casa"}, 1},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.words));
    EXPECT_EQ(d.first_known(c.words), c.first);
  }
  d.add("");
  EXPECT_EQ(d.first_known(std::vector<std::string_view>{"x", ""}), 1u);
  EXPECT_EQ(AccentDictionary().first_known(std::vector<std::string_view>{"casa", ""}), 2u);
}

std::string synthetic_word(std::size_t i) {
  std::string w;
  for (std::size_t v = i * 2654435761u % 1000003 + i; v > 0; v /= 23) w.push_back(static_cast<char>('a' + v % 23));
  return w + std::to_string(i);
}

// Every word found after many rehashes, and the index stays small on 32 and 64 bits alike.
TEST(AccentDictionary, LargeSetStaysExactAndCompact) {
  enum { one_by_one, all_at_once };
  for (const int way : {one_by_one, all_at_once}) {
    SCOPED_TRACE(way);
    constexpr std::size_t n = 200000;
    AccentDictionary d;
    if (way == one_by_one) {
      for (std::size_t i = 0; i < n; ++i) d.add(synthetic_word(i));
    } else {
      std::vector<std::string> words;
      for (std::size_t i = 0; i < n; ++i) words.push_back(synthetic_word(i));
      words.push_back(words.front());  // a duplicate
      std::string joined;
      std::vector<std::uint32_t> ends;
      for (const auto& w : words) ends.push_back(static_cast<std::uint32_t>((joined += w).size()));
      d.add_all(std::move(joined), ends);
    }
    EXPECT_EQ(d.distinct_count(), n);
    std::size_t found = 0, false_hits = 0;
    for (std::size_t i = 0; i < n; ++i) {
      found += d.contains(synthetic_word(i));
      false_hits += d.contains(synthetic_word(i) + "x") + d.contains(synthetic_word(i + n));
    }
    EXPECT_EQ(found, n);
    EXPECT_EQ(false_hits, 0u);
    EXPECT_LE(d.index_bytes(), 40 * n);
  }
}

// The filter of words that may take an accent, made with the table's key for the ready index,
// holds every plain form of a word of the dictionary that is not itself one, words added after
// it too, and few other words. Before, it rules out no word.
TEST(AccentDictionary, RestorableWordsHoldEveryFormThatMayTakeAnAccent) {
  std::mt19937 random(9);
  std::vector<std::string> words;
  for (int i = 0; i < 20000; ++i) {
    std::string w;
    for (std::size_t n = 1 + random() % 12; n > 0; --n) w += "aeioubcdlnrst\xE1\xE9\xF3"[random() % 16];
    words.push_back(w);
  }
  words.insert(words.end(), {"\xE1rb\xF3l", "est\xE1", "esta"});
  AccentDictionary d;
  EXPECT_TRUE(d.restorable_words().may_hold("xyz"));
  for (std::size_t i = 0; i < words.size() / 2; ++i) d.add(words[i]);
  EXPECT_TRUE(d.restorable_words().may_hold("xyz"));
  d.use_key({1, 2});
  for (std::size_t i = words.size() / 2; i < words.size(); ++i) d.add(words[i]);
  const accents::WordFilter restorable = d.restorable_words();
  std::size_t forms = 0;
  for (const std::string& w : words) {
    for (std::size_t p = 0; p < w.size(); ++p) {
      const char plain = w[p] == '\xE1' ? 'a' : w[p] == '\xE9' ? 'e' : w[p] == '\xF3' ? 'o' : 0;
      if (plain == 0) continue;
      std::string form = w;
      form[p] = plain;
      if (d.contains(form)) continue;
      ++forms;
      ASSERT_TRUE(restorable.may_hold(form)) << form;
    }
  }
  EXPECT_GT(forms, 10000u);
  EXPECT_TRUE(restorable.may_hold("arb\xF3l"));
  EXPECT_TRUE(restorable.may_hold("\xE1rbol"));
  // Words no accent turns into one of the dictionary.
  std::size_t maybe = 0;
  for (int i = 0; i < 10000; ++i) maybe += restorable.may_hold("xyz" + std::to_string(i)) ? 1 : 0;
  EXPECT_LT(maybe, 400u);
}

}  // namespace
