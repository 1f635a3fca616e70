#pragma once

#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "accents/accent_dictionary.h"
#include "accents/context_model.h"

// Finding and reading the accent dictionary and the context model for "tilde".

namespace cli {

// Where the dictionary is looked for when none is named: diccionario.log beside the executable,
// then in ../share/tildario from the executable's folder.
std::vector<std::filesystem::path> default_dictionary_paths();
// The same for the context model: contexto.dat.
std::vector<std::filesystem::path> default_context_model_paths();

struct FoundDictionary {
  accents::AccentDictionary dictionary;
  // Set when no dictionary could be used: what went wrong, for standard error. The dictionary
  // is then empty, and "tilde" corrects nothing.
  std::optional<std::string> problem;
  // Valid when the dictionary is the ready index beside the file at `path`, and that file is
  // still being hashed to tell whether the index was made from it: true when it was. Until then
  // nothing restored with the dictionary may be shown; when it was not, read_dictionary_file
  // gives the dictionary.
  std::future<bool> made_from_file;
  std::filesystem::path path;
};

// The dictionary at `named`, or else at the first default path where a file exists.
FoundDictionary find_dictionary(const std::optional<std::filesystem::path>& named);
// The dictionary read from the file at `path` itself, without its index.
FoundDictionary read_dictionary_file(const std::filesystem::path& path);

struct FoundContextModel {
  std::optional<accents::ContextModel> model;
  // Set when there is no model: what went wrong, for standard error.
  std::optional<std::string> problem;
};

FoundContextModel find_context_model(const std::optional<std::filesystem::path>& named);

}  // namespace cli
