#include "tools/chromium_pak.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Resources = std::vector<std::pair<std::uint16_t, std::string>>;

// A pack as Chromium's tools write it: the header, the entries and the one that marks the last
// resource's end, the aliases (format 5), then the resources back to back.
std::string make_pack(const Resources& resources, std::uint8_t encoding = 1, std::uint16_t aliases = 0,
                      int version = 5) {
  std::string bytes;
  const auto put = [&](std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(v >> 8 * i));
  };
  const auto count = static_cast<std::uint32_t>(resources.size());
  put(static_cast<std::uint32_t>(version), 4);
  if (version == 4) {
    put(count, 4);
    put(encoding, 1);
  } else {
    put(encoding, 1);
    put(0, 3);
    put(count, 2);
    put(aliases, 2);
  }
  auto offset = static_cast<std::uint32_t>(bytes.size() + 6 * (resources.size() + 1) + 4 * aliases);
  for (const auto& [id, text] : resources) {
    put(id, 2);
    put(offset, 4);
    offset += static_cast<std::uint32_t>(text.size());
  }
  put(0, 2);
  put(offset, 4);
  for (std::uint16_t i = 0; i < aliases; ++i) {
    put(900 + i, 2);
    put(0, 2);
  }
  for (const auto& r : resources) bytes += r.second;
  return bytes;
}

std::vector<std::pair<std::uint16_t, std::string>> read(const std::string& bytes) {
  const auto messages = tools::pak_messages(bytes);
  EXPECT_TRUE(messages);
  std::vector<std::pair<std::uint16_t, std::string>> out;
  if (messages)
    for (const auto& m : *messages) out.emplace_back(m.id, m.text);
  return out;
}

TEST(ChromiumPak, MessagesOfAPack) {
  const Resources texts = {{800, "Abrir pesta\xC3\xB1"
                                  "a"},
                           {801, ""},
                           {805, "\x1F\x8B\x08 comprimido"},
                           {806, "Cerrar"}};
  EXPECT_EQ(read(make_pack(texts)), (Resources{{800, "Abrir pesta\xC3\xB1"
                                                     "a"},
                                               {801, ""},
                                               {806, "Cerrar"}}));
  EXPECT_EQ(read(make_pack(texts, 1, 2)).size(), 3u);  // aliases add nothing
  EXPECT_TRUE(read(make_pack(texts, 0)).empty());      // a pack of binary resources
  EXPECT_TRUE(read(make_pack({})).empty());
  EXPECT_EQ(read(make_pack({{7, "Hola"}, {9, "Adi\xC3\xB3s"}}, 1, 0, 4)),
            (Resources{{7, "Hola"}, {9, "Adi\xC3\xB3s"}}));  // format 4: a 32-bit count, then the encoding
}

TEST(ChromiumPak, MalformedPacks) {
  const std::string good = make_pack({{1, "Uno"}, {2, "Dos"}});
  std::string backwards = good;
  backwards[12 + 2] = static_cast<char>(40);  // the first resource starts after it ends
  std::string past_end = good;
  past_end[12 + 6 * 2 + 2] = static_cast<char>(0xFF);  // the end mark beyond the file
  const std::string cases[] = {"", std::string("\x05\0\0", 3), std::string("\x06\0\0\0\x01\0\0\0\0\0\0\0", 12),
                               std::string("\x05\0\0\0\x03\0\0\0\0\0\0\0", 12), good.substr(0, 20), backwards,
                               past_end};
  for (const auto& bytes : cases) {
    SCOPED_TRACE(bytes.size());
    EXPECT_FALSE(tools::pak_messages(bytes));
  }
}

TEST(ChromiumPak, SourceFilesOfTheIds) {
  const auto files = tools::pak_message_files(
      "IDS_ABOUT,800,../../chrome/app/settings_strings.grdp\r\n"
      "IDS_OTRO,801,../../ui/strings/ui_strings.grd\n"
      "sin comas\nIDS_MAL,x1,a.grd\nIDS_GRANDE,70000,a.grd\nIDS_VACIO,5,\n");
  EXPECT_EQ(files, (std::map<std::uint16_t, std::string>{{800, "../../chrome/app/settings_strings.grdp"},
                                                         {801, "../../ui/strings/ui_strings.grd"}}));
}

TEST(ChromiumPak, TextOfIcuMessages) {
  const struct {
    const char* message;
    const char* text;
  } cases[] = {
      {"", ""},
      {"Cerrar {NAME} ahora", "Cerrar  ahora"},
      {"{NUM_GROUPS,plural, =1{Eliminar grupo}other{Eliminar grupos}}", "Eliminar grupos"},
      {"{COUNT, plural, offset:1 =0 {Nadie} one {# pesta\xC3\xB1"
       "a} other {# pesta\xC3\xB1"
       "as de {USER}}} abiertas #1",
       " pesta\xC3\xB1"
       "as de  abiertas #1"},
      {"{GENDER, select, female {Invitada} other {Invitado}}", "Invitado"},
      {"Sin {cerrar", "Sin {cerrar"},
      {"{A, plural, =1 {solo uno}}", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(tools::icu_message_text(c.message), c.text);
  }
}

}  // namespace
