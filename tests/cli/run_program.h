#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/scratch_folder.h"

// Running a console program as a user's shell would, for the tests: arguments, bytes on its
// standard input, and its standard output, standard error and exit status back. One
// implementation per system (run_program_posix.cpp, run_program_windows.cpp).

namespace cli_test {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// `arguments` in UTF-8. Waits for the program to end.
RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::string_view input = {});

using test_support::read_file;
using test_support::ScratchFolder;
using test_support::utf8_name;
using test_support::utf8_path;

}  // namespace cli_test
