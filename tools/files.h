#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whole files for the tools, read as bytes.

namespace tools {

// The bytes of the file, or none when it cannot be opened or read.
std::optional<std::string> read_file(const std::string& path);

// The lines of a text, each without its line break (LF or CR LF); no line after a final break.
std::vector<std::string_view> lines_of(std::string_view text);

}  // namespace tools
