#include "cli/dictionary_search.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

#include "accents/dictionary_loader.h"
#include "cli/system.h"

namespace cli {

namespace {

std::string quoted(const std::filesystem::path& path) { return "\xC2\xAB" + display_name(path) + "\xC2\xBB"; }

// The dictionary in the file, read a piece at a time so that only the dictionary itself is
// held; none, and the reason, when the file cannot be read.
std::optional<accents::DictionaryLoad> read_dictionary(const std::filesystem::path& path, std::string& problem) {
  std::FILE* file = open_for_reading(path);
  if (!file) {
    problem = std::strerror(errno);
    return std::nullopt;
  }
  std::error_code error;
  const std::uint64_t size = std::filesystem::file_size(path, error);
  accents::DictionaryLoader loader(error ? 0 : size);
  constexpr std::size_t piece_size = 1 << 20;
  const auto piece = std::make_unique_for_overwrite<unsigned char[]>(piece_size);
  while (const std::size_t got = std::fread(piece.get(), 1, piece_size, file)) loader.add(std::span(piece.get(), got));
  const bool failed = std::ferror(file);
  if (failed) problem = std::strerror(errno);
  std::fclose(file);
  if (failed) return std::nullopt;
  return std::move(loader).finish();
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
  std::optional<accents::DictionaryLoad> load = read_dictionary(path, reason);
  if (!load) {
    found.problem = "no se puede leer el diccionario " + quoted(path) + ": " + reason;
    return found;
  }
  if (load->format_error) {
    found.problem = "el diccionario " + quoted(path) + " no tiene el formato de diccionario.log";
    return found;
  }
  found.dictionary = std::move(load->dictionary);
  return found;
}

}  // namespace cli
