#include "tools/gettext_catalog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;
using Messages = std::vector<std::string>;
using Entries = std::vector<std::pair<std::string, std::string>>;  // original, translation

// A catalogue as msgfmt lays it out: the header, the two tables, then the strings, each ended
// by a NUL that its length leaves out.
std::string make_catalog(const Entries& entries, bool big_endian) {
  std::string bytes;
  const auto put = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(v >> (big_endian ? 24 - 8 * i : 8 * i)));
  };
  const auto n = static_cast<std::uint32_t>(entries.size());
  put(0x950412de);
  put(0);
  put(n);
  put(28);
  put(28 + 8 * n);
  put(0);
  put(28 + 16 * n);
  std::string strings;
  std::vector<std::uint32_t> table;
  const auto add = [&](const std::string& s) {
    table.push_back(static_cast<std::uint32_t>(s.size()));
    table.push_back(static_cast<std::uint32_t>(28 + 16 * n + strings.size()));
    strings += s;
    strings.push_back('\0');
  };
  for (const auto& e : entries) add(e.first);
  for (const auto& e : entries) add(e.second);
  for (const auto v : table) put(v);
  return bytes + strings;
}

const Entries entries = {
    {"", "Content-Type: text/plain; charset=UTF-8\nPlural-Forms: nplurals=2; plural=(n != 1);\n"},
    {"%d day\0%d days"s,
     "%d d\xC3\xAD"
     "a\0%d d\xC3\xAD"
     "as"s},
    {"FLD_DATE_STD\x04"
     "Date",
     "Fecha"},
    {"Hello", ""},
};

TEST(GettextCatalog, EveryTranslationInEitherByteOrder) {
  const Messages expected = {
      "%d d\xC3\xAD"
      "a",
      "%d d\xC3\xAD"
      "as",
      "Fecha", ""};
  for (const bool big_endian : {false, true}) {
    SCOPED_TRACE(big_endian);
    EXPECT_EQ(tools::catalog_translations(make_catalog(entries, big_endian)), expected);
  }
  EXPECT_EQ(tools::catalog_translations(make_catalog({}, false)), Messages{});
}

TEST(GettextCatalog, MalformedCataloguesAreRefused) {
  const std::string good = make_catalog(entries, false);
  std::string bad_magic = good, bad_revision = good, bad_table = good, bad_string = good;
  bad_magic[0] = 'x';
  bad_revision[6] = 2;                // major revision 2
  bad_table[8] = '\xFF';              // more entries than the file holds
  bad_string[28 + 8 * 4 + 1] = 0x7F;  // the first translation's length reaches past the end
  for (const auto& bytes : {std::string(), good.substr(0, 27), good.substr(0, good.size() - 5), bad_magic, bad_revision,
                            bad_table, bad_string}) {
    SCOPED_TRACE(bytes.size());
    EXPECT_FALSE(tools::catalog_translations(bytes));
  }
}

}  // namespace
