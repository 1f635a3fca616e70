#include "cli/commands.h"

#include "text/repetition.h"
#include "text/report_text.h"

namespace cli {

namespace {

using Kind = Command::Kind;

constexpr Command rows[] = {
    {"mayusculas", "el texto en may\xC3\xBAsculas", Kind::change_case, text::CaseChange::upper},
    {"mixta", "cada palabra con may\xC3\xBAscula inicial", Kind::change_case, text::CaseChange::mixed},
    {"minusculas", "el texto en min\xC3\xBAsculas", Kind::change_case, text::CaseChange::lower},
    {"caracteres", "cuenta los caracteres", Kind::report, {}, text::characters_report},
    {"palabras", "cuenta las palabras y los trozos de palabra", Kind::report, {}, text::word_fragments_report},
    {"consonantes", "cuenta las consonantes", Kind::report, {}, text::consonants_report},
    {"vocales", "cuenta las vocales", Kind::report, {}, text::vowels_report},
    {"repeticion", "lista las palabras claramente repetidas", Kind::report, {}, text::word_repetition_report},
    {"tilde", "pone las tildes que faltan; el informe va a la salida de errores", Kind::restore_accents},
};

}  // namespace

std::span<const Command> commands() { return rows; }

const Command* find_command(std::string_view name) {
  for (const Command& command : rows)
    if (command.name == name) return &command;
  return nullptr;
}

}  // namespace cli
