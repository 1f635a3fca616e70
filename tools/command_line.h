#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command lines of the dictionary tools: options with a value ("--margin 5", repeatable),
// plain flags and positional arguments, in any order.

namespace tools {

struct CommandLine {
  std::map<std::string, std::vector<std::string>, std::less<>> values;  // option -> values, in order
  std::vector<std::string> positional;
  std::optional<std::string> error;  // what is wrong with the command line, if anything

  bool has(std::string_view option) const { return values.contains(option); }
  // The last value given for the option, or `fallback`.
  std::string value(std::string_view option, std::string fallback = {}) const;
  std::vector<std::string> all(std::string_view option) const;
};

// `with_value` lists the options that take a value, `flags` those that do not.
CommandLine parse_command_line(int argc, const char* const* argv, std::initializer_list<std::string_view> with_value,
                               std::initializer_list<std::string_view> flags = {});

// The whole text as a number, or none.
std::optional<double> parse_number(std::string_view text);

// The number given for `option`, `fallback` when there is none; a value that is no number, or is
// less than `at_least`, ends the tool with its usage (exit_with_usage).
double number_option(const CommandLine& line, std::string_view option, double fallback, double at_least,
                     std::string_view tool, std::string_view usage);

// Prints "TOOL: WHY" to standard error and exits with status 1.
[[noreturn]] void exit_with_error(std::string_view tool, std::string_view why);

// Prints "TOOL: WHY" and the usage text to standard error, and exits with status 2.
[[noreturn]] void exit_with_usage(std::string_view tool, std::string_view why, std::string_view usage);

}  // namespace tools
