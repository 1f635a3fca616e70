#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The translations of a GNU gettext message catalogue (a .mo file), for counting the words of
// translated programs.

namespace tools {

// Every translation of the catalogue, in the file's order, each plural form a message of its
// own; the header entry (the one with an empty original) is left out. Either byte order. None
// when the bytes are not a well-formed catalogue: a bad magic number, an unknown major
// revision, or a table or string that reaches past the end.
std::optional<std::vector<std::string>> catalog_translations(std::string_view bytes);

}  // namespace tools
