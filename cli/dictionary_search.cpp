#include "cli/dictionary_search.h"

#include <cerrno>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <new>
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

// The fingerprint of the file at `path`, read in pieces that stay in the cache; none when it
// cannot be read.
std::optional<accents::DictionaryFingerprint> fingerprint_file(const std::filesystem::path& path) {
  accents::FingerprintMaker fingerprint;
  std::string problem;
  if (!read_pieces(
          path, [&fingerprint](std::span<const unsigned char> piece) { fingerprint.add(piece); }, problem, 256 << 10))
    return std::nullopt;
  return fingerprint.finish();
}

// The dictionary as the ready index beside the file at `path` holds it, and whether the index
// was made from this very file (the hash of its bytes), worked out on another thread meanwhile;
// none when there is no index there, or it was made from a file of another length, or it is
// damaged.
//
// The index is read into memory of its own, backed by large pages where the system has them:
// lookups then jump around it without a miss of the address cache at every step, and it is
// checked a piece at a time as it is read.
std::optional<std::pair<accents::AccentDictionary, std::future<bool>>> indexed_dictionary(
    const std::filesystem::path& path) {
  std::filesystem::path index_path = path;
  index_path.replace_extension(accents::index_extension);
  const UniqueFile index_file = open_for_reading(index_path);
  std::error_code error;
  const std::uint64_t index_size = std::filesystem::file_size(index_path, error);
  if (!index_file || error || index_size > SIZE_MAX / 2) return std::nullopt;
  constexpr std::size_t large_page = 2 << 20;
  const std::size_t room =
      std::max<std::size_t>(1, (static_cast<std::size_t>(index_size) + large_page - 1) / large_page * large_page);
  auto* memory = static_cast<unsigned char*>(::operator new (room, std::align_val_t{large_page}, std::nothrow));
  if (!memory) return std::nullopt;
  std::shared_ptr<const void> keeper(
      memory, [](const void* p) { ::operator delete (const_cast<void*>(p), std::align_val_t{large_page}); });
  expect_large_fill(memory, room);
  const std::span<const unsigned char> index(memory, static_cast<std::size_t>(index_size));

  constexpr std::size_t piece_size = 256 << 10;
  std::size_t got = std::fread(memory, 1, std::min(piece_size, index.size()), index_file.get());
  const std::optional<accents::DictionaryFingerprint> recorded = accents::recorded_fingerprint(index.first(got));
  if (!recorded || recorded->size % accents::record_size != 0) return std::nullopt;
  if (std::filesystem::file_size(path, error) != recorded->size || error) return std::nullopt;

  // Run at get() where no thread can be started.
  std::future<bool> made_from_file =
      std::async(std::launch::async | std::launch::deferred, [path, recorded = *recorded] {
        const std::optional<accents::DictionaryFingerprint> file = fingerprint_file(path);
        return file && *file == recorded;
      });
  accents::IndexCheck check(index);
  std::size_t at = 0;
  while (got > 0) {
    check.add(index.subspan(at, got));
    at += got;
    got = std::fread(memory + at, 1, std::min(piece_size, index.size() - at), index_file.get());
  }
  if (at != index.size() || std::ferror(index_file.get())) return std::nullopt;
  std::optional<accents::AccentDictionary> dictionary = check.open(*recorded, std::move(keeper));
  if (!dictionary) return std::nullopt;
  return std::pair{std::move(*dictionary), std::move(made_from_file)};
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
  if (auto indexed = indexed_dictionary(*path)) {
    found.dictionary = std::move(indexed->first);
    found.made_from_file = std::move(indexed->second);
    found.path = *path;
    return found;
  }
  return read_dictionary_file(*path);
}

FoundDictionary read_dictionary_file(const std::filesystem::path& path) {
  FoundDictionary found;
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
