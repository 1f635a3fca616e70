#include "tools/command_line.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>

namespace tools {

std::string CommandLine::value(std::string_view option, std::string fallback) const {
  const auto it = values.find(option);
  return it == values.end() ? fallback : it->second.back();
}

std::vector<std::string> CommandLine::all(std::string_view option) const {
  const auto it = values.find(option);
  return it == values.end() ? std::vector<std::string>{} : it->second;
}

CommandLine parse_command_line(int argc, const char* const* argv, std::initializer_list<std::string_view> with_value,
                               std::initializer_list<std::string_view> flags) {
  CommandLine line;
  const auto listed = [](std::initializer_list<std::string_view> list, std::string_view a) {
    return std::find(list.begin(), list.end(), a) != list.end();
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (listed(with_value, a)) {
      if (i + 1 >= argc) {
        line.error = std::string(a) + " needs a value";
        return line;
      }
      line.values[std::string(a)].emplace_back(argv[++i]);
    } else if (listed(flags, a)) {
      line.values[std::string(a)].emplace_back();
    } else if (a.starts_with("--")) {
      line.error = "unknown option " + std::string(a);
      return line;
    } else {
      line.positional.emplace_back(a);
    }
  }
  return line;
}

std::optional<double> parse_number(std::string_view text) {
  const std::string s(text);
  char* end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  if (s.empty() || std::isspace(static_cast<unsigned char>(s.front())) || end != s.c_str() + s.size())
    return std::nullopt;
  return value;
}

double number_option(const CommandLine& line, std::string_view option, double fallback, double at_least,
                     std::string_view tool, std::string_view usage) {
  if (!line.has(option)) return fallback;
  const auto n = parse_number(line.value(option));
  if (!n || !(*n >= at_least))
    exit_with_usage(tool, std::string(option) + " takes a number of at least " + std::to_string(at_least), usage);
  return *n;
}

void exit_with_error(std::string_view tool, std::string_view why) {
  std::cerr << tool << ": " << why << "\n";
  std::exit(1);
}

void exit_with_usage(std::string_view tool, std::string_view why, std::string_view usage) {
  std::cerr << tool << ": " << why << "\n" << usage;
  std::exit(2);
}

}  // namespace tools
