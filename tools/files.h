#pragma once

#include <optional>
#include <string>

// Whole files for the tools, read as bytes.

namespace tools {

// The bytes of the file, or none when it cannot be opened or read.
std::optional<std::string> read_file(const std::string& path);

}  // namespace tools
