#include "tools/properties_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Messages = std::vector<std::string>;

TEST(PropertiesMessages, ValuesOfAPropertiesFile) {
  const struct {
    const char* file;
    Messages messages;
  } cases[] = {
      {"", {}},
      {"# Comentario = no\n! Otro\\\nvacio =\n   \n", {}},
      // Separators '=', ':' or a blank; access keys and shortcuts go, in any case.
      {"a.label = Guardar todo\nb: Abrir\nc Cerrar ya\nc.accesskey = C\nd.accessKey=D\nsave.key = S\n"
       "e.commandkey = E\n",
       {"Guardar todo", "Abrir", "Cerrar ya"}},
      // Escapes, continued lines and CR.
      {"f = Contrase\\u00f1a\\ncambiada \\\\ \\= \\u00e9xito\r\n"
       "g = Una l\xC3\xADnea \\\n     que sigue\n"
       "h = \\uD83D\\uDE00 y \\uD800 y \\u00\n",
       {"Contrase\xC3\xB1"
        "a\ncambiada \\ = \xC3\xA9xito",
        "Una l\xC3\xADnea que sigue", "\xF0\x9F\x98\x80 y  y 00"}},
      // An escape cut short at the end of the file.
      {"i = fin\\", {"fin"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(tools::properties_messages(c.file), c.messages);
  }
}

}  // namespace
