#pragma once

#include <filesystem>
#include <span>

// tildario COMMAND [FILE...]: the tray program's commands on files and pipes.

namespace cli {

// Exit statuses.
inline constexpr int exit_ok = 0;
inline constexpr int exit_failure = 1;  // the output could not be written, or the text is too large
inline constexpr int exit_usage = 2;    // bad arguments, an unreadable file, input that is no UTF-8

// Runs the command line `arguments` (without the program's name) and returns the exit status.
int run(std::span<const std::filesystem::path> arguments);

}  // namespace cli
