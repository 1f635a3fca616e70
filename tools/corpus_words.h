#pragma once

#include <string>
#include <string_view>
#include <vector>

// Words of running Spanish text, cut the way the program cuts them, for counting how people
// write each word form.

namespace tools {

// UTF-8 text with a vowel, n or u followed by a combining acute accent, tilde or diaeresis
// (U+0301, U+0303, U+0308) turned into the precomposed letter (á, ñ, ü), as code page 1252
// spells them; other combining marks are left as they are.
std::string compose_accents(std::string_view utf8);

// The words of code page 1252 text as the program splits it (text/tokens.h), in small letters. Words longer than a
// dictionary entry can hold (40 bytes) and words without a letter are left out.
std::vector<std::string> corpus_words(std::string_view cp1252);

// Positive when the words (small letters) read as Spanish, negative when they read as
// English: common function words of either language, counted. Zero when none is found.
int spanish_score(const std::vector<std::string>& words);

// A stable number for a document path, which decides the part of the corpus it belongs to.
unsigned document_bucket(std::string_view path);  // 0..99

}  // namespace tools
