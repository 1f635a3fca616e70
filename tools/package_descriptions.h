#pragma once

#include <string>
#include <string_view>
#include <vector>

// The translated package descriptions of a Debian archive (the i18n/Translation-LL files that the
// Debian Description Translation Project makes), for counting the words people write.

namespace tools {

struct PackageDescription {
  std::string package;
  std::vector<std::string> paragraphs;  // UTF-8, white space collapsed
};

// Every description of the file that has a paragraph of its own, in the file's order. A
// description is the "Description-LL" field of a stanza: its short line is one paragraph, and the
// long text after it breaks into paragraphs at its " ." lines and before each item of a list (a
// line that starts with "*", "-" or "+" and a space, which go; not "o", which in Spanish is
// also a word that a line may start with); its other lines join the
// paragraph before them. A paragraph that an earlier description of the file already holds is
// left out (libraries and their -dev and -doc packages repeat their long text), and so is a
// description left with none.
std::vector<PackageDescription> translated_descriptions(std::string_view file);

}  // namespace tools
