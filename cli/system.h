#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

// What the command line asks of the system, one implementation per system (system_posix.cpp,
// system_windows.cpp): files opened by their full Unicode names, and where the executable lies.
// The entry point there hands the arguments to cli::run (tildario.h).

namespace cli {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open file, closed when this ends.
using UniqueFile = std::unique_ptr<std::FILE, CloseFile>;

// Opens a file for reading bytes; null with errno set when it cannot be.
UniqueFile open_for_reading(const std::filesystem::path& path);

// The running executable's own file, or an empty path when the system does not say.
std::filesystem::path executable_path();

// Tells the system that [start, start + size) is about to be filled front to back, so that it
// can hand the memory over in large pages (fewer faults); nothing where there is no such advice.
void expect_large_fill(void* start, std::size_t size);

// A file name as UTF-8, for messages.
inline std::string display_name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace cli
