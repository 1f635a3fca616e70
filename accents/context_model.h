#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The context model of "tildario tilde --contexto": for the plain words whose right spelling
// depends on the sentence (esta/está, como/cómo, el/él, termino/terminó), how strongly each of
// the words and marks around them speaks for each spelling. A decision is a sum of weights
// (naive Bayes log-odds); it overrules the dictionary's choice only by a clear margin.
// docs/context.md describes the file and how it is made.

namespace accents {

// Tokens each side of a word that the model looks at.
inline constexpr std::size_t context_reach = 2;
// Tokens longer than this are cut to it.
inline constexpr std::size_t context_token_limit = 40;

// The tokens around one word, nearest first. A token is a word in small letters without marks
// ("esta" for "Está", "ano" for "Año"), a punctuation mark of one byte, "0" for a run of
// digits, or empty for a boundary: the start or end of the text or a line break, beyond which
// the model looks no farther. Each comes with its hash (token_hash).
struct WordContext {
  std::array<std::string_view, context_reach> before, after;
  std::array<std::uint64_t, context_reach> before_hashes, after_hashes;
};

std::uint64_t token_hash(std::string_view token);

// The token of a word: its bytes in small letters without marks ("esta" for "Está"), cut to
// context_token_limit. Also the plain form of a spelling ("esta" for "está", "ano" for "año").
std::string word_token(std::string_view word);

// Finds the tokens around words of code page 1252 text; the tokens it gives stay valid until
// its next call.
class ContextReader {
 public:
  const WordContext& around(std::string_view text, std::size_t offset, std::size_t size);

 private:
  std::array<std::array<char, context_token_limit>, 2 * context_reach> room_{};
  WordContext context_;
};

// What the model conditions on: a token next to the word, the two tokens on one side, or the
// ending of the word next to it. An ending stands in for its word where the model holds nothing
// of the word itself (a rare word): "está" + "...ado", "él" + "...ó" hold for words never counted.
enum class ContextFeature : std::uint8_t {
  one_before = 1,
  one_after = 2,
  two_before = 3,
  two_after = 4,
  ending_before = 5,
  ending_after = 6,
};
inline constexpr std::array<ContextFeature, 6> context_features = {
    ContextFeature::one_before, ContextFeature::one_after,     ContextFeature::two_before,
    ContextFeature::two_after,  ContextFeature::ending_before, ContextFeature::ending_after};

// The feature of the whole word whose ending `feature` is, or none when it is no ending.
constexpr std::optional<ContextFeature> whole_word_of(ContextFeature feature) {
  if (feature == ContextFeature::ending_before) return ContextFeature::one_before;
  if (feature == ContextFeature::ending_after) return ContextFeature::one_after;
  return std::nullopt;
}

// An ending is a word's last letters, taken from words longer than it.
inline constexpr std::size_t context_ending_length = 3;

// The tokens of a feature, farther one first for the pairs; the second is empty for the single
// ones. For an ending, the first is empty when the word next to it has none (a mark, a number,
// a boundary or a short word): the feature is then absent.
struct FeatureTokens {
  std::string_view first, second;
  std::uint64_t first_hash, second_hash;
};
FeatureTokens feature_tokens(const WordContext& context, ContextFeature feature);

// The 64-bit key the file stores for a feature of form `form` (never 0), from its tokens'
// hashes. The file keeps no words for its features, only these keys: a feature the model does
// not hold takes the weights of one it does with a probability of about 2^-64 per look-up.
std::uint64_t feature_key(std::uint32_t form, ContextFeature feature, std::uint64_t first_hash,
                          std::uint64_t second_hash);

// The layout of the file (all numbers little-endian).
namespace context_file {
inline constexpr std::string_view magic = "TILDCTX2";
inline constexpr std::size_t header_size = 52;
inline constexpr std::size_t form_record_size = 12;
inline constexpr std::size_t candidate_record_size = 8;
inline constexpr std::size_t slot_record_size = 12;
inline constexpr std::size_t weight_size = 2;
inline constexpr std::size_t mark_record_size = 12;
// A word's ñ and ü are bits of a 32-bit mask: longer words are not restored.
inline constexpr std::size_t max_mark_length = 32;
inline constexpr std::size_t max_candidates = 8;
// No feature lies farther from its home slot: a look-up, even in a file made to slow it down,
// reads at most this many slots.
inline constexpr std::size_t max_distance = 1024;
// Weights are natural logarithms in 1/1024ths.
inline constexpr double weight_scale = 1024.0;
// The bit of a feature in the header's mask of the features the model holds.
constexpr std::uint32_t feature_bit(ContextFeature feature) { return 1u << static_cast<unsigned>(feature); }
}  // namespace context_file

class ContextModel {
 public:
  // The model in a file's bytes; none when they are not a well-formed model file.
  static std::optional<ContextModel> load(std::span<const unsigned char> file);

  bool empty() const { return forms_.empty() && mark_words_.empty(); }
  std::size_t form_count() const { return forms_.size(); }
  std::size_t feature_count() const { return feature_count_; }
  // No longer word is a form of the model.

  // The plain words in small letters (no marks) that the model may change: its forms and the
  // words of restore_marks(). A word as written is one of its forms when it has no acute accent
  // and its letters without their marks are a form.
  std::vector<std::string_view> plain_words() const;

  // The model's number for a plain word in small letters, or none.
  std::optional<std::uint32_t> find_form(std::string_view lower) const;
  // The same for a word in small letters as written: its ñ and ü left out, none for a word
  // written with an acute accent (its writer chose).
  std::optional<std::uint32_t> find_written(std::string_view lower) const;

  // A word as written that the model may spell otherwise than the dictionary: what choose()
  // needs to know of it besides the words around it. Its spellings are numbered from 0, in its
  // form's order.
  struct WrittenWord {
    std::uint32_t form;
    std::uint8_t dictionary_choice;  // the spelling that the dictionary chose
    std::uint8_t choices;            // a bit for each spelling that keeps the word's ñ and ü
    std::uint8_t as_written;         // the spelling that is the word as it stands, if any (else 0xFF)
  };
  // The word `written` (small letters, with the ñ and ü restore_marks() gave it) with the
  // dictionary's spelling of it and the word as it stands in the text (small letters); none when
  // the model leaves the dictionary's spelling as it is whatever the context: the word is none of
  // its forms, the dictionary chose a spelling the model does not know, or no other spelling
  // keeps the ñ and ü as written.
  std::optional<WrittenWord> written_word(std::string_view written, std::string_view dictionary_spelling,
                                          std::string_view as_written) const;

  // The number of the word's spelling in `context`: the dictionary's unless another scores at
  // least a threshold above it. Only spellings that keep the ñ and ü of the word as written are
  // chosen. A wrong mark is worse than a missing one, so putting one takes a higher threshold
  // than leaving the plain word as written.
  std::size_t choose(const WrittenWord& word, const WordContext& context) const;
  // A spelling of the word, in small letters.
  std::string_view spelling(const WrittenWord& word, std::size_t choice) const;

  // Words that make a word only with ñ or ü ("espanol", "pinguino", "manana"), where the plain
  // letters make none: writes those letters into `lower` (a word in small letters with no
  // marked letter) and returns true; any other word stays as it is. The acute accent, if the
  // word takes one, is left to the dictionary.
  bool restore_marks(char* lower, std::size_t size) const;

 private:
  struct Form {
    std::uint32_t start, first_candidate;
    std::uint8_t length, candidate_count;
  };
  struct Candidate {
    std::uint32_t start;  // of its spelling, as long as the form, in form_text_
    std::int16_t prior;
    bool plain;  // the spelling is the form itself, without marks
  };
  // A feature's slot holds the weights of its first four spellings: most forms have no more, and
  // their weights are then read with the key, from the same cache line.
  static constexpr std::size_t slot_weights = 4;
  struct Slot {
    std::uint64_t key;
    std::array<std::int16_t, slot_weights> weights;
  };

  // The slot of a feature, or none.
  std::optional<std::size_t> slot_of(std::uint64_t key) const;

  // Words by their token_hash, each with its number: open addressing, at most half full.
  class WordSlots {
   public:
    void size_for(std::size_t count) { slots_.assign(std::bit_ceil(2 * count + 2), Slot{}); }
    void add(std::uint64_t hash, std::uint32_t number) {
      std::size_t s = static_cast<std::size_t>(hash) & (slots_.size() - 1);
      while (slots_[s].number != none) s = (s + 1) & (slots_.size() - 1);
      slots_[s] = {hash, number};
    }
    // The number of `word`, where text_of(number) is the word of that number.
    template <typename TextOf>
    std::optional<std::uint32_t> find(std::string_view word, TextOf text_of) const {
      if (slots_.empty()) return std::nullopt;
      const std::uint64_t hash = token_hash(word);
      const std::size_t mask = slots_.size() - 1;
      for (std::size_t s = static_cast<std::size_t>(hash) & mask; slots_[s].number != none; s = (s + 1) & mask)
        if (slots_[s].hash == hash && text_of(slots_[s].number) == word) return slots_[s].number;
      return std::nullopt;
    }

   private:
    static constexpr std::uint32_t none = static_cast<std::uint32_t>(-1);
    struct Slot {
      std::uint64_t hash = 0;
      std::uint32_t number = none;
    };
    std::vector<Slot> slots_;
  };

  std::string form_text_;  // the forms and their spellings back to back
  WordSlots form_slots_;
  std::vector<Form> forms_;
  std::vector<Candidate> candidates_;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> first_weights_;  // by slot, in weights_: for forms of more spellings
  std::vector<std::int16_t> weights_;
  // A filter of the features' keys, which fits the cache where the slots do not: most features
  // of a text are none of the model's.
  std::vector<std::uint64_t> feature_filter_;
  std::vector<ContextFeature> features_;  // those the file holds
  // The words of restore_marks(): their plain text back to back, and for each the mask of the
  // letters that take ñ or ü, found by the hash of the text.
  struct MarkWord {
    std::uint32_t start, mask;
    std::uint8_t length;
  };
  bool load_mark_words(std::span<const unsigned char> records, std::span<const unsigned char> text);
  const MarkWord* find_mark_word(std::string_view lower) const;
  std::string mark_text_;
  std::vector<MarkWord> mark_words_;
  WordSlots mark_slots_;
  std::size_t longest_mark_word_ = 0;
  std::int32_t accent_threshold_ = 0, plain_threshold_ = 0;
  std::size_t max_distance_ = 0;
  std::size_t feature_count_ = 0;
  std::size_t longest_form_ = 0;
};

}  // namespace accents
