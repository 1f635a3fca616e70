#include "tools/word_counts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(WordCounts, WrittenSortedAndReadBack) {
  tools::WordCounts table;
  table.sources = {"gimp", "gnome"};
  table.counts = {{"zeta", {2, 0}}, {"canci\xF3n", {1, 4}}, {"\xE1rbol", {0, 1}}, {"casa", {3, 3}}};
  std::ostringstream out;
  tools::write_word_counts(out, table, 2);
  // UTF-8, sorted by bytes, rows under the minimum total left out.
  EXPECT_EQ(out.str(), "word\tgimp\tgnome\ncanci\xC3\xB3n\t1\t4\ncasa\t3\t3\nzeta\t2\t0\n");

  std::istringstream in(out.str());
  const auto read = tools::read_word_counts(in);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->sources, table.sources);
  EXPECT_EQ(read->counts.size(), 3u);
  EXPECT_EQ(read->counts.at("canci\xF3n"), (std::vector<std::uint32_t>{1, 4}));
}

TEST(WordCounts, MalformedTablesAreRejected) {
  const char* cases[] = {
      "",
      "palabra\tgimp\n",           // no "word" header
      "word\n",                    // no source
      "word\tgimp\ncasa\n",        // count missing
      "word\tgimp\ncasa\t1\t2\n",  // one count too many
      "word\tgimp\ncasa\tx\n",     // not a number
      "word\tgimp\ncasa\t-1\n",
      "word\tgimp\ncasa\t\n",
      "word\tgimp\ncasa\t99999999999\n",
      "word\tgimp\n\t3\n",      // no word
      "word\tgimp\n\xE9\t3\n",  // not UTF-8
      "word\tgimp\ncasa\t1\ncasa\t2\n",
  };
  for (const char* c : cases) {
    SCOPED_TRACE(c);
    std::istringstream in(c);
    EXPECT_FALSE(tools::read_word_counts(in));
  }
  std::istringstream header_only("word\tgimp\tgnome\n");
  const auto empty = tools::read_word_counts(header_only);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->counts.empty());
}

}  // namespace
