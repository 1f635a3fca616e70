#pragma once

#include <string>
#include <string_view>
#include <vector>

// The messages of a Project Fluent file (.ftl, the format of Firefox's and Thunderbird's
// translations), for counting the words of translated programs.

namespace tools {

// The text of every message of a UTF-8 Fluent file, in the file's order: its value and each of
// its attributes, a message of its own, its lines kept apart by line breaks. Placeables are
// resolved as far as running text goes: a select expression ({ $n -> [one] ... *[other] ... })
// gives its default variant, a string literal ({ "x" }) its text, and every other placeable
// (variables, terms, message references, functions) nothing. Terms (-brand-name), comments,
// and the attributes that hold keys or style rather than text (.accesskey, .commandkey, .key,
// .style) are left out. An unclosed placeable stays as text.
std::vector<std::string> fluent_messages(std::string_view file);

}  // namespace tools
