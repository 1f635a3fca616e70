#include "tools/markup_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paragraphs = std::vector<std::string>;

TEST(MarkupText, RunningTextOfHtml) {
  const struct {
    const char* document;
    Paragraphs paragraphs;
  } cases[] = {
      {"", {}},
      {"<html><head><title>T\xC3\xADtulo</title><script>var a = '<p>x</p>';</script></head>"
       "<body><h1>Cabecera</h1><p>Una  <b>frase</b>\n con <a href=\"x\">enlace</a>.</p></body></html>",
       {"Cabecera", "Una frase con enlace."}},
      // Character references, known and unknown; a lone ampersand stays.
      {"<html><p>Canci&oacute;n &#233;l &#xF1; &iquest;s&iacute;? &bogus; R&amp;D a & b</p></html>",
       {"Canci\xC3\xB3n \xC3\xA9l \xC3\xB1 \xC2\xBFs\xC3\xAD? R&D a & b"}},
      // Code, commands and output go; the sentence around them stays together.
      {"<html><p>La orden <code class=\"command\">apt-get</code> instala.</p><pre>$ ls -l</pre>"
       "<p>Pulse <span class=\"literal\">MsgBox</span> o <kbd>Ctrl</kbd>.</p></html>",
       {"La orden instala.", "Pulse o ."}},
      // Navigation, headers and footers, by element and by class or id, nested.
      {"<html><nav><ul><li>Inicio</li></ul></nav><div class=\"navheader\"><div><p>Anterior</p></div></div>"
       "<p>Texto</p><ul class=\"toc\"><li><ul class=\"toc\"><li>Uno</li></ul></li><li>Dos</li></ul>"
       "<div id=\"DEBUG\"><p>This page is</p></div><footer>Pie</footer><p>Fin</p></html>",
       {"Texto", "Fin"}},
      // HTML void elements never open: an <input> does not hide what follows.
      {"<html><p>Buscar <input type=\"search\"> aqu\xC3\xAD<br>otra l\xC3\xADnea</p><img "
       "src=x><p>m\xC3\xA1s</p></html>",
       {"Buscar", "aqu\xC3\xAD", "otra l\xC3\xADnea", "m\xC3\xA1s"}},
      // Comments, declarations, and '<' that starts no tag.
      {"<!DOCTYPE html><html><!-- <p>oculto</p> --><p>si a < b y c<3</p></html>", {"si a < b y c<3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    EXPECT_EQ(tools::markup_paragraphs(c.document), c.paragraphs);
  }
}

TEST(MarkupText, RunningTextOfMallard) {
  const char* page =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<page xmlns=\"http://projectmallard.org/1.0/\" id=\"x\">\n"
      "<info><desc>Se necesitan objetivos.</desc>\n"
      "<credit type=\"author\"><name>Jos\xC3\xA9 P\xC3\xA9rez</name><email>a@b</email></credit>\n"
      "<mal:credit xmlns:mal=\"x\"><mal:name>Nicol\xC3\xA1s</mal:name><mal:years>2012</mal:years></mal:credit>\n"
      "<revision date=\"2012\"/><link type=\"guide\" xref=\"color\"/></info>\n"
      "<title>\xC2\xBFQu\xC3\xA9 tipos?</title>\n"
      "<p>Escriba <input>ls</input> y pulse <key>Intro</key> en <gui>Archivos</gui>.</p>\n"
      "<code><![CDATA[make <all>]]></code><p><![CDATA[texto <literal>]]></p>\n"
      "</page>";
  EXPECT_EQ(tools::markup_paragraphs(page), (Paragraphs{"Se necesitan objetivos.", "\xC2\xBFQu\xC3\xA9 tipos?",
                                                        "Escriba y pulse en Archivos.", "texto <literal>"}));
}

TEST(MarkupText, UnclosedMarkupEndsTheText) {
  for (const char* document : {"<p>texto <!-- sin fin", "<p>texto <code>sin fin", "<p>texto <a href=\"x", "texto &"}) {
    SCOPED_TRACE(document);
    const auto paragraphs = tools::markup_paragraphs(document);
    ASSERT_FALSE(paragraphs.empty());
    EXPECT_EQ(paragraphs.front().substr(0, 5), "texto");
  }
}

}  // namespace
