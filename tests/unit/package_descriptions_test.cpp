#include "tools/package_descriptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paragraphs = std::vector<std::string>;

struct Expected {
  std::string package;
  Paragraphs paragraphs;
};

TEST(PackageDescriptions, DescriptionsOfATranslationFile) {
  const struct {
    const char* file;
    std::vector<Expected> descriptions;
  } cases[] = {
      {"", {}},
      {"\n\n", {}},
      // The short line, then paragraphs at " ." and at list items; wrapped lines join.
      {"Package: juego\n"
       "Description-md5: d943033bedada21853d2ae54a2578a7b\n"
       "Description-es: Juego de estrategia\n"
       " Un juego de estrategia en tiempo real\n"
       " de la antig\xC3\xBC"
       "edad.\n"
       " .\n"
       " Incluye:\n"
       "  * gr\xC3\xA1"
       "ficos 3D y\n"
       "    sonido;\n"
       "  - un motor propio.\n"
       " o bien nada.\n",
       {{"juego",
         {"Juego de estrategia",
          "Un juego de estrategia en tiempo real de la antig\xC3\xBC"
          "edad.",
          "Incluye:",
          "gr\xC3\xA1"
          "ficos 3D y sonido;",
          "un motor propio. o bien nada."}}}},
      // A paragraph already read is left out, and a description left with none; other fields,
      // the md5 and blank lines between stanzas do not count, nor does CR at a line's end.
      {"Package: libuno1\r\n"
       "Description-md5: 00\r\n"
       "Description-es: Biblioteca compartida de Uno\r\n"
       " Uno hace cosas.\r\n"
       "\r\n"
       "Package: libuno-dev\n"
       "Description-es: Archivos de desarrollo de Uno\n"
       " Uno hace cosas.\n"
       "\n"
       "Package: libuno-doc\n"
       "Description-es: Biblioteca compartida de Uno\n"
       " Uno hace cosas.\n"
       "\n"
       "Package: vacio\n"
       "Description-es:\n"
       " .\n",
       {{"libuno1", {"Biblioteca compartida de Uno", "Uno hace cosas."}},
        {"libuno-dev", {"Archivos de desarrollo de Uno"}}}},
      // A file cut short in the middle of a line.
      {"Package: corto\nDescription-es: Sin fin\n Texto sin fin de l", {{"corto", {"Sin fin", "Texto sin fin de l"}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const auto descriptions = tools::translated_descriptions(c.file);
    ASSERT_EQ(descriptions.size(), c.descriptions.size());
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
      EXPECT_EQ(descriptions[i].package, c.descriptions[i].package);
      EXPECT_EQ(descriptions[i].paragraphs, c.descriptions[i].paragraphs);
    }
  }
}

}  // namespace
