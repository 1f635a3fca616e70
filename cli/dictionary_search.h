#pragma once

#include <filesystem>
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
};

// The dictionary at `named`, or else at the first default path where a file exists.
FoundDictionary find_dictionary(const std::optional<std::filesystem::path>& named);

struct FoundContextModel {
  std::optional<accents::ContextModel> model;
  // Set when there is no model: what went wrong, for standard error.
  std::optional<std::string> problem;
};

FoundContextModel find_context_model(const std::optional<std::filesystem::path>& named);

}  // namespace cli
