#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "accents/accent_dictionary.h"
#include "accents/context_model.h"
#include "text/code_page_text.h"

// "Poner tilde": every word of a text that is not in the accent dictionary gets the first
// one-accent variant the dictionary knows, trying the plain vowels (a e i o u) from left to
// right, in small letters. Only that vowel changes; everything else in the text stays exactly
// as it was, and so does every word that holds a character the code page cannot.

namespace accents {

inline constexpr std::int64_t max_listed_corrections = 40;

struct AccentCorrections {
  std::int64_t count = 0;
  std::string list;  // the first 40 corrected words in small letters, each followed by CR LF
};

// Restores the accents of `text` in place and adds its corrections to `corrections`; a long
// text may go through in pieces cut at separators, one call each. A corrected word written all
// in small letters, capitalised or all in capitals keeps that style; any other word keeps every
// byte as written except the vowel that takes the accent, in its own case.
void restore_accents(text::CodePageText& text, const AccentDictionary& dictionary, AccentCorrections& corrections);

// The same for a long text in pieces, one restore() per piece: what it learns of the words of one
// piece (which need an accent, and where) it keeps for the next, so that a text's common words
// are asked of the dictionary once rather than once per piece.
//
// With a context model, the plain words the model knows take the spelling it chooses from the
// words around them, within the piece: pieces cut at line breaks lose nothing, since the model
// looks no farther than a line.
class AccentRestorer {
 public:
  explicit AccentRestorer(const AccentDictionary& dictionary, const ContextModel* context = nullptr);
  ~AccentRestorer();
  AccentRestorer(const AccentRestorer&) = delete;
  AccentRestorer& operator=(const AccentRestorer&) = delete;

  void restore(text::CodePageText& piece, AccentCorrections& corrections);

  // Takes over what `other`, made with the same dictionary and model, has learnt of the text's
  // words so far: a restorer that starts on a later piece beside it need not learn them again.
  void learn_from(const AccentRestorer& other);

 private:
  class WordAnswers;
  static void correct(char* word, std::size_t size, const char* lower, AccentCorrections& corrections);
  // Counts a corrected word, `lower` in small letters, and lists it among the first.
  static void count_correction(const char* lower, std::size_t size, AccentCorrections& corrections);

  const AccentDictionary& dictionary_;
  const ContextModel* context_;
  std::unique_ptr<WordAnswers> answers_;
  ContextReader reader_;
  std::vector<char> lowers_;  // room for the words on their way
};

// Adds the corrections of a later piece of the text to those of the pieces before it.
void add_corrections(AccentCorrections& corrections, const AccentCorrections& later);

// "Encontradas N palabras a las que se le ha puesto tílde ortográfica ..." and, after any
// correction, the line that says the text can be pasted and the list.
std::string correction_report(const AccentCorrections& corrections);

}  // namespace accents
