// Peak memory of one command on a long text, the way the tray runs it: the clipboard's UTF-16
// text, read into code page 1252 text, the command, and the UTF-16 written back. Run it under
// /usr/bin/time -v and read "Maximum resident set size":
//
//   /usr/bin/time -v build/native/bench/command_memory tilde 200
//
// COMMAND: mayusculas minusculas mixta caracteres palabras consonantes vocales repeticion tilde.
// The text is MB million characters of Spanish without its accents; "tilde" loads the real
// dictionary (TILDARIO_DICTIONARY, else build/win64/diccionario.log).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "accents/accent_restoration.h"
#include "accents/dictionary_loader.h"
#include "text/case_conversion.h"
#include "text/code_page_text.h"
#include "text/repetition.h"
#include "text/report_text.h"

namespace {

std::u16string clipboard_units(std::size_t units) {
  const std::u16string_view line = u"Ma\u00F1ana tambien vendra el autobus despues de la cancion en Gda\u0144sk.\r\n";
  std::u16string text(units, u' ');
  for (std::size_t i = 0; i < units; i += line.size())
    text.replace(i, std::min(line.size(), units - i), line.substr(0, units - i));
  return text;
}

accents::AccentDictionary real_dictionary() {
  const char* given = std::getenv("TILDARIO_DICTIONARY");
  std::ifstream in(given ? given : TILDARIO_SOURCE_DIR "/build/win64/diccionario.log", std::ios::binary);
  const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return accents::load_accent_dictionary(file).dictionary;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: command_memory COMMAND MB\n", stderr);
    return 2;
  }
  const std::string_view command = argv[1];
  const auto units = static_cast<std::size_t>(std::atol(argv[2])) * 1000 * 1000;
  const std::u16string clipboard = clipboard_units(units);
  text::CodePageText text = text::from_utf16(clipboard);
  std::string report;
  bool rewritten = true;
  if (command == "mayusculas") {
    text::change_case(text, text::CaseChange::upper);
  } else if (command == "minusculas") {
    text::change_case(text, text::CaseChange::lower);
  } else if (command == "mixta") {
    text::change_case(text, text::CaseChange::mixed);
  } else if (command == "tilde") {
    accents::AccentCorrections corrections;
    accents::restore_accents(text, real_dictionary(), corrections);
    report = accents::correction_report(corrections);
  } else {
    rewritten = false;
    if (command == "caracteres")
      report = text::characters_report(text.text);
    else if (command == "palabras")
      report = text::word_fragments_report(text.text);
    else if (command == "consonantes")
      report = text::consonants_report(text.text);
    else if (command == "vocales")
      report = text::vowels_report(text.text);
    else if (command == "repeticion")
      report = text::word_repetition_report(text.text);
    else
      return 2;
  }
  if (rewritten) {
    std::u16string written(text.text.size() + 1, u'\0');
    text::write_utf16(text, written.data());
    std::printf("%zu units written\n", written.size() - 1);
  }
  std::printf("%.80s\n", report.c_str());
  return 0;
}
