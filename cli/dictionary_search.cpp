#include "cli/dictionary_search.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "accents/dictionary_file.h"
#include "accents/dictionary_index.h"
#include "accents/dictionary_loader.h"
#include "cli/system.h"

namespace cli {

namespace {

std::string quoted(const std::filesystem::path& path) { return "\xC2\xAB" + display_name(path) + "\xC2\xBB"; }

// Reads the file at `path` a piece at a time into `add`; false, and the reason, when it
// cannot be read.
bool read_pieces(const std::filesystem::path& path, const std::function<void(std::span<const unsigned char>)>& add,
                 std::string& problem, std::size_t piece_size = 1 << 20) {
  const UniqueFile file = open_for_reading(path);
  if (!file) {
    problem = std::strerror(errno);
    return false;
  }
  const auto piece = std::make_unique_for_overwrite<unsigned char[]>(piece_size);
  while (const std::size_t got = std::fread(piece.get(), 1, piece_size, file.get())) add(std::span(piece.get(), got));
  const bool failed = std::ferror(file.get());
  if (failed) problem = std::strerror(errno);
  return !failed;
}

// The dictionary in the file, read a piece at a time so that only the dictionary itself is
// held; none, and the reason, when the file cannot be read.
std::optional<accents::DictionaryLoad> read_dictionary(const std::filesystem::path& path, std::string& problem) {
  std::error_code error;
  const std::uint64_t size = std::filesystem::file_size(path, error);
  accents::DictionaryLoader loader(error ? 0 : size);
  if (!read_pieces(
          path, [&loader](std::span<const unsigned char> piece) { loader.add(piece); }, problem))
    return std::nullopt;
  return std::move(loader).finish();
}

// The dictionary as the ready index beside the file at `path` holds it; none when there is no
// index there, or it was not made from this very file (its length, then the hash of its bytes),
// or it is damaged.
std::optional<accents::AccentDictionary> indexed_dictionary(const std::filesystem::path& path) {
  std::filesystem::path index_path = path;
  index_path.replace_extension(accents::index_extension);
  std::optional<MappedFile> index = map_file(index_path);
  if (!index) return std::nullopt;
  const std::optional<accents::DictionaryFingerprint> recorded = accents::recorded_fingerprint(index->bytes);
  if (!recorded || recorded->size % accents::record_size != 0) return std::nullopt;
  std::error_code error;
  if (std::filesystem::file_size(path, error) != recorded->size || error) return std::nullopt;
  // Both files read in pieces that stay in the cache: quicker than hashing them where they are
  // mapped, and the index's mapped pages are then touched only where lookups need them.
  constexpr std::size_t piece_size = 256 << 10;
  accents::FingerprintMaker fingerprint;
  std::string problem;
  if (!read_pieces(
          path, [&fingerprint](std::span<const unsigned char> piece) { fingerprint.add(piece); }, problem, piece_size))
    return std::nullopt;
  accents::IndexCheck check(index->bytes);
  if (!read_pieces(
          index_path, [&check](std::span<const unsigned char> piece) { check.add(piece); }, problem, piece_size))
    return std::nullopt;
  return check.open(fingerprint.finish(), std::move(index->keeper));
}

// Beside the executable (a portable copy, a build folder), then share/tildario beside its bin
// folder (an install under any prefix).
std::vector<std::filesystem::path> default_paths(std::string_view name) {
  const std::filesystem::path executable = executable_path();
  if (executable.empty()) return {};
  const std::filesystem::path folder = executable.parent_path();
  return {folder / name, folder.parent_path() / "share" / "tildario" / name};
}

// The file at `named`, or else the first of `candidates` that exists; none, and why, for
// `what` (the file's description in messages), when there is no such file.
std::optional<std::filesystem::path> choose_path(const std::optional<std::filesystem::path>& named,
                                                 const std::vector<std::filesystem::path>& candidates,
                                                 std::string_view what, std::optional<std::string>& problem) {
  if (named) return *named;
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  std::string tried;
  for (const std::filesystem::path& candidate : candidates) tried += (tried.empty() ? "" : ", ") + quoted(candidate);
  problem = "no se encuentra " + std::string(what) + " (" + tried + ")";
  return std::nullopt;
}

}  // namespace

std::vector<std::filesystem::path> default_dictionary_paths() { return default_paths("diccionario.log"); }

std::vector<std::filesystem::path> default_context_model_paths() { return default_paths("contexto.dat"); }

FoundDictionary find_dictionary(const std::optional<std::filesystem::path>& named) {
  FoundDictionary found;
  const auto path = choose_path(named, default_dictionary_paths(), "el diccionario de tildes", found.problem);
  if (!path) return found;
  if (std::optional<accents::AccentDictionary> indexed = indexed_dictionary(*path)) {
    found.dictionary = std::move(*indexed);
    return found;
  }
  std::string reason;
  std::optional<accents::DictionaryLoad> load = read_dictionary(*path, reason);
  if (!load) {
    found.problem = "no se puede leer el diccionario " + quoted(*path) + ": " + reason;
    return found;
  }
  if (load->format_error) {
    found.problem = "el diccionario " + quoted(*path) + " no tiene el formato de diccionario.log";
    return found;
  }
  found.dictionary = std::move(load->dictionary);
  return found;
}

FoundContextModel find_context_model(const std::optional<std::filesystem::path>& named) {
  FoundContextModel found;
  const auto path = choose_path(named, default_context_model_paths(), "el modelo de contexto", found.problem);
  if (!path) return found;
  std::vector<unsigned char> bytes;
  std::string reason;
  if (!read_pieces(
          *path,
          [&bytes](std::span<const unsigned char> piece) { bytes.insert(bytes.end(), piece.begin(), piece.end()); },
          reason)) {
    found.problem = "no se puede leer el modelo de contexto " + quoted(*path) + ": " + reason;
    return found;
  }
  found.model = accents::ContextModel::load(bytes);
  if (!found.model) found.problem = "el fichero " + quoted(*path) + " no es un modelo de contexto de Tildario";
  return found;
}

}  // namespace cli
