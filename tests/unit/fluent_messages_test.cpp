#include "tools/fluent_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Messages = std::vector<std::string>;

TEST(FluentMessages, TextOfAFluentFile) {
  const struct {
    const char* file;
    Messages messages;
  } cases[] = {
      {"", {}},
      {"# Comentario\n\n## Otro = no\n", {}},
      // Values and attributes; access keys, shortcuts, style and terms go.
      {"-brand-short-name = Firefox\n"
       "    .gender = masculine\n"
       "guardar =\n"
       "    .label = Guardar p\xC3\xA1gina\n"
       "    .accesskey = G\n"
       "    .style = width: 30em\n"
       "abrir = Abrir en { -brand-short-name }\n"
       "    .tooltiptext = Abre { $name } ahora\n",
       {"Guardar p\xC3\xA1gina", "Abrir en", "Abre  ahora"}},
      // Lines of a value stay lines; CR goes.
      {"aviso =\r\n    Primera l\xC3\xADnea.\r\n\r\n    Segunda.\r\n", {"Primera l\xC3\xADnea.\n\nSegunda."}},
      // A select gives its default variant, wherever it stands, even nested; string literals their text.
      {"quitar =\n"
       "    { $count ->\n"
       "        [one] Eliminar marcador\n"
       "       *[other] Eliminar { $count } marcadores\n"
       "    }\n"
       "titulo =\n"
       "    { PLATFORM() ->\n"
       "       *[macos] { -brand } \xE2\x80\x94 Privada\n"
       "        [other]\n"
       "            { $n ->\n"
       "                *[one] Una { \"{\" }\n"
       "            }\n"
       "    } y m\xC3\xA1s\n",
       {"Eliminar  marcadores", "\xE2\x80\x94 Privada y m\xC3\xA1s"}},
      // An unclosed placeable stays as text; a placeable alone gives no message.
      {"roto = Texto { $sin fin\nsolo = { $name }\n", {"Texto { $sin fin"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(tools::fluent_messages(c.file), c.messages);
  }
}

}  // namespace
