#include "cli/dictionary_search.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "accents/dictionary_loader.h"
#include "cli/system.h"

namespace cli {

namespace {

std::string quoted(const std::filesystem::path& path) { return "\xC2\xAB" + display_name(path) + "\xC2\xBB"; }

// The whole file, or the reason it could not be read.
std::optional<std::vector<unsigned char>> read_file(const std::filesystem::path& path, std::string& problem) {
  std::FILE* file = open_for_reading(path);
  if (!file) {
    problem = std::strerror(errno);
    return std::nullopt;
  }
  std::vector<unsigned char> bytes;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (!error) bytes.reserve(static_cast<std::size_t>(size));
  unsigned char block[1 << 16];
  while (const std::size_t got = std::fread(block, 1, sizeof block, file)) bytes.insert(bytes.end(), block, block + got);
  const bool failed = std::ferror(file);
  if (failed) problem = std::strerror(errno);
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

}  // namespace

std::vector<std::filesystem::path> default_dictionary_paths() {
  std::vector<std::filesystem::path> paths;
  const std::filesystem::path executable = executable_path();
  if (!executable.empty()) paths.push_back(executable.parent_path() / "diccionario.log");
  paths.push_back(std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(TILDARIO_BUILT_DICTIONARY))));
  return paths;
}

FoundDictionary find_dictionary(const std::optional<std::filesystem::path>& named) {
  FoundDictionary found;
  std::filesystem::path path;
  if (named) {
    path = *named;
  } else {
    const std::vector<std::filesystem::path> candidates = default_dictionary_paths();
    for (const std::filesystem::path& candidate : candidates) {
      std::error_code error;
      if (std::filesystem::is_regular_file(candidate, error)) {
        path = candidate;
        break;
      }
    }
    if (path.empty()) {
      std::string tried;
      for (const std::filesystem::path& candidate : candidates) tried += (tried.empty() ? "" : ", ") + quoted(candidate);
      found.problem = "no se encuentra el diccionario de tildes (" + tried + ")";
      return found;
    }
  }
  std::string reason;
  const auto bytes = read_file(path, reason);
  if (!bytes) {
    found.problem = "no se puede leer el diccionario " + quoted(path) + ": " + reason;
    return found;
  }
  accents::DictionaryLoad load = accents::load_accent_dictionary(*bytes);
  if (load.format_error) {
    found.problem = "el diccionario " + quoted(path) + " no tiene el formato de diccionario.log";
    return found;
  }
  found.dictionary = std::move(load.dictionary);
  return found;
}

}  // namespace cli
