#pragma once

#include <span>
#include <string>
#include <string_view>

#include "text/case_conversion.h"

// The commands of the command line, one row each, in the tray menu's order. Each names the core
// function the tray's command of the same meaning calls (app/commands.cpp): the two front ends
// share every piece of command logic.

namespace cli {

struct Command {
  enum class Kind { change_case, restore_accents, report };

  std::string_view name;
  std::string_view summary;  // for --help, UTF-8
  Kind kind;
  text::CaseChange change = text::CaseChange::upper;                 // change_case
  std::string (*report)(std::string_view code_page_text) = nullptr;  // report
};

std::span<const Command> commands();

// The command called `name`, or null.
const Command* find_command(std::string_view name);

}  // namespace cli
