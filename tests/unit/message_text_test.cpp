#include "tools/message_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paragraphs = std::vector<std::string>;

TEST(MessageText, RunningTextOfAMessage) {
  const struct {
    const char* message;
    Paragraphs paragraphs;
  } cases[] = {
      {"", {}},
      {" \n\t\n", {}},
      // Lines are paragraphs; white space collapses.
      {"Primera  l\xC3\xADnea.\n\n  Segunda\tl\xC3\xADnea. ",
       {"Primera l\xC3\xAD"
        "nea.",
        "Segunda l\xC3\xAD"
        "nea."}},
      // Variables, before a mark and at the end of a sentence.
      {"\xC2\xA1Hola, $nombre! \xC2\xBF"
       "C\xC3\xB3mo est\xC3\xA1is? Adi\xC3\xB3s, $otro_nombre.",
       {"\xC2\xA1Hola, ! \xC2\xBF"
        "C\xC3\xB3mo est\xC3\xA1is? Adi\xC3\xB3s, ."}},
      // Tags go; those that break a line break the paragraph; "<" that opens no tag stays.
      {"<b>Nota:</b> <span color='#ff0000'>rojo</span><br/>Fin<p>Otro</p> si a < b",
       {"Nota: rojo", "Fin", "Otro", "si a < b"}},
      // printf, Boost and LibreOffice placeholders; "%%" is a percent sign and "50 %" stays.
      {"%1$s desde: %2$s, %d minutos, %5.2f%% y %1% de %2% con %PRODUCTNAME %PRODUCTVERSION al 50 % de %1.",
       {"desde: , minutos, % y de con al 50 % de ."}},
      // Mozilla's string placeholders.
      {"No se pudo guardar %S en %1$S: %2$S.", {"No se pudo guardar en : ."}},
      {"La hoja %HOJA_ACTUAL% va despu\xC3\xA9s de %HOJA_ANTERIOR%.", {"La hoja va despu\xC3\xA9s de ."}},
      {"No se puede abrir $(ARG1): $1 ${file} {Tab} [[enlace]]", {"No se puede abrir :"}},
      // Accelerator marks of LibreOffice and GTK, also before an accented capital.
      {"~Archivo, En _fondo, Gua_rdar, _\xC3\x8Dndice, a ~ b, x _ y",
       {"Archivo, En fondo, Guardar, \xC3\x8Dndice, a ~ b, x _ y"}},
      // Unclosed groups stay as text.
      {"{abierto y $(sin fin y [[nada", {"{abierto y $(sin fin y [[nada"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(tools::message_paragraphs(c.message), c.paragraphs);
  }
}

}  // namespace
