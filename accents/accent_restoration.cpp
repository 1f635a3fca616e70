#include "accents/accent_restoration.h"

#include "accents/word_filter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/ascii_chunk.h"
#include "text/case_conversion.h"
#include "text/char_classes.h"
#include "text/code_page_1252.h"
#include "text/marked_letters.h"
#include "text/report_text.h"
#include "text/tokens.h"

namespace accents {

namespace {

// `plain` is a byte of a word in small letters.
char accented_vowel(char plain) { return static_cast<char>(text::acute_of(static_cast<unsigned char>(plain))); }

}  // namespace

// Where a word in small letters takes its accent: npos when the dictionary knows the word
// itself, or none of its one-accent variants. Most words of a text are neither restorable nor
// words of the context model, and a filter that fits the processor's cache says so without a
// look-up. Text repeats its words, the common ones over and over, so the answers for the other
// short words are kept: most of them are then answered from a table that fits the cache too,
// without a look-up in the dictionary, whose tables do not.
class AccentRestorer::WordAnswers {
 public:
  WordAnswers(const AccentDictionary& dictionary, const ContextModel* context)
      : dictionary_(dictionary), context_(context), filter_(dictionary.restorable_words()) {
    if (!context_ || filter_.blocks().empty()) return;
    // The model's words join the dictionary's in a filter of their own, by their plain letters.
    const std::vector<std::string_view> words = context_->plain_words();
    own_filter_ = filter_.widened(
        std::max(filter_.blocks().size(), WordFilter::blocks_for(words.size() + filter_.blocks().size() * 6)));
    for (const std::string_view w : words) WordFilter::add(own_filter_, filter_hash(filter_.seed(), w));
    filter_ = WordFilter(filter_.seed(), own_filter_);
  }

  void learn_from(const WordAnswers& other) {
    slots_ = other.slots_;
    shift_ = other.shift_;
    written_words_ = other.written_words_;
  }

  // Room for the words of a text of `text_size` bytes; growing forgets the answers so far.
  void fit(std::size_t text_size) {
    std::size_t sets = 16;
    while (sets < max_sets && sets * ways * 8 < text_size) sets *= 2;
    if (sets * ways <= slots_.size()) return;
    slots_.assign(sets * ways, Slot{});
    written_words_.clear();
    shift_ = 64 - std::countr_zero(sets);
  }

  // A word's key and filter hash; the filter's block is fetched from memory meanwhile.
  struct Probe {
    std::uint64_t low = 0, high = 0;
    std::uint64_t filtered = 0;
    bool in_context = false;  // a word not in ASCII that the model may know by its plain letters
  };

  // Writes the word in small letters at `lower` (room for 16 bytes at least) and makes its
  // probe. `readable`: how many bytes of the text may be read from `word` on.
  Probe prepare(const char* word, std::size_t size, std::size_t readable, char* lower) {
    Probe p;
    if (size <= kept_size && readable >= 16 && std::endian::native == std::endian::little) {
      // Sixteen bytes at once, those past the word cut off; ASCII words lower-cased eight bytes
      // at a time.
      std::memcpy(&p.low, word, 8);
      std::memcpy(&p.high, word + 8, 8);
      if (size < 8) {
        p.low &= (std::uint64_t{1} << (8 * size)) - 1;
        p.high = 0;
      } else {
        p.high &= (std::uint64_t{1} << (8 * (size - 8))) - 1;
      }
      if (((p.low | p.high) & text::ascii_chunk::high_bits) == 0) {
        p.low = text::ascii_chunk::to_lower(p.low);
        p.high = text::ascii_chunk::to_lower(p.high);
        std::memcpy(lower, &p.low, 8);
        std::memcpy(lower + 8, &p.high, 8);
      } else {
        std::memcpy(lower, &p.low, 8);
        std::memcpy(lower + 8, &p.high, 8);
        text::lower_case_in_place(lower, size);
        std::memcpy(&p.low, lower, 8);
        std::memcpy(&p.high, lower + 8, 8);
        p.in_context = context_ && may_be_in_context(lower, size);
      }
      p.filtered = filter_hash(filter_.seed(), p.low, p.high, size);
    } else {
      std::memcpy(lower, word, size);
      text::lower_case_in_place(lower, size);
      p.filtered = filter_hash(filter_.seed(), std::string_view(lower, size));
      p.in_context = context_ && may_be_in_context(lower, size);
      for (std::size_t i = 0; i < std::min(size, kept_size); ++i) {
        const std::uint64_t b = static_cast<unsigned char>(lower[i]);
        if (i < 8)
          p.low |= b << (8 * i);
        else
          p.high |= b << (8 * (i - 8));
      }
    }
    // The size in the next byte of `high`, and its last byte left for the answer.
    p.high |= std::uint64_t{size} << 48;
#if defined(__GNUC__)
    __builtin_prefetch(filter_.block_address(p.filtered));
#endif
    return p;
  }

  // Where the word takes its accent (npos: nowhere) and whether the context model gives it ñ or
  // ü first (the position is then that of the word with them); or, for a word whose spelling the
  // context model chooses, what the model needs to know of it.
  struct Answer {
    std::size_t position;
    bool marks;
    std::optional<ContextModel::WrittenWord> context_word;
  };

  // Whether the word may take a mark: when not, it is left as it is.
  bool asked(const Probe& probe) const { return probe.in_context || filter_.may_hold(probe.filtered); }

  // The answer for a word the filter may hold.
  Answer find(const Probe& probe, const char* lower, std::size_t size) {
    if (size > kept_size) return ask(lower, size);
    Slot* const set =
        &slots_[static_cast<std::size_t>(((probe.low * 0x9E3779B97F4A7C15ull) ^ (probe.high * 0xC2B2AE3D27D4EB4Full)) >>
                                         shift_) *
                ways];
    for (std::size_t way = 0; way < ways; ++way) {
      if (set[way].low != probe.low || (set[way].high & ~answer_mask) != probe.high) continue;
      const std::uint64_t answer = set[way].high >> 56;
      // A word found again moves up one place: the commonest words stay in their sets.
      if (way > 0) std::swap(set[way], set[way - 1]);
      return decode(answer);
    }
    const Answer answer = ask(lower, size);
    if (const std::optional<std::uint64_t> code = encode(answer)) set[ways - 1] = {probe.low, probe.high | *code << 56};
    return answer;
  }

 private:
  static constexpr std::size_t kept_size = 14;
  static constexpr std::size_t ways = 4;
  static constexpr std::size_t max_sets = 16384;  // 1 MiB of slots
  static constexpr std::uint64_t answer_mask = 0xFFull << 56;
  // A kept word's answer in a byte: the position in the low bits (nowhere: none) and a bit for
  // the marks; or for a word of the context model, a bit for that and the number of its
  // written_words_ entry. A word whose entry finds no room is not kept.
  static constexpr std::uint64_t nowhere = 0x3F;
  static constexpr std::uint64_t marks_bit = 0x40;
  static constexpr std::uint64_t in_context_bit = 0x80;
  static constexpr std::size_t max_written_words = 0x80;

  std::optional<std::uint64_t> encode(const Answer& answer) {
    if (!answer.context_word)
      return (answer.marks ? marks_bit : 0) | (answer.position == std::string_view::npos ? nowhere : answer.position);
    if (written_words_.size() == max_written_words) return std::nullopt;
    written_words_.push_back(*answer.context_word);
    return in_context_bit | (written_words_.size() - 1);
  }
  Answer decode(std::uint64_t answer) const {
    if (answer & in_context_bit) return {std::string_view::npos, false, written_words_[answer & ~in_context_bit]};
    const std::uint64_t position = answer & nowhere;
    return {position == nowhere ? std::string_view::npos : static_cast<std::size_t>(position),
            (answer & marks_bit) != 0, std::nullopt};
  }

  // Bytes 0-7 of the word in `low`, bytes 8-13 and the size in `high`, then the answer. A free
  // slot has size 0, which no word has.
  struct Slot {
    std::uint64_t low = 0, high = 0;
  };

  // Whether the context model may know the word (not ASCII: the filter holds the model's words by
  // their plain letters). A word written with an acute accent is no word of the model's.
  bool may_be_in_context(const char* lower, std::size_t size) {
    marked_.assign(lower, size);
    for (char& c : marked_) {
      const auto b = static_cast<unsigned char>(c);
      if (text::is_acute_vowel(b)) return false;
      c = static_cast<char>(text::without_mark(b));
    }
    return filter_.may_hold(filter_hash(filter_.seed(), marked_));
  }

  Answer ask(const char* lower, std::size_t size) {
    if (context_) {
      marked_.assign(lower, size);
      const bool marks = context_->restore_marks(marked_.data(), size);
      const char* const word = marks ? marked_.data() : lower;
      const std::size_t position = first_variant(word, size);
      // The dictionary's spelling, for the model to choose against.
      dictionary_spelling_.assign(word, size);
      if (position != std::string_view::npos) dictionary_spelling_[position] = accented_vowel(word[position]);
      return {
          position, marks,
          context_->written_word(std::string_view(word, size), dictionary_spelling_, std::string_view(lower, size))};
    }
    return {first_variant(lower, size), false, std::nullopt};
  }

  // The word itself, then its one-accent variants from left to right, the first the dictionary
  // knows deciding.
  std::size_t first_variant(const char* lower, std::size_t size) {
    variants_.assign(lower, size);
    positions_.clear();
    for (std::size_t p = 0; p < size; ++p) {
      const char accented = accented_vowel(lower[p]);
      if (accented == 0) continue;
      positions_.push_back(p);
      variants_.append(lower, size);
      variants_[variants_.size() - size + p] = accented;
    }
    candidates_.clear();
    for (std::size_t k = 0; k <= positions_.size(); ++k)
      candidates_.push_back(std::string_view(variants_).substr(k * size, size));
    const std::size_t first = dictionary_.first_known(candidates_);
    return first == 0 || first == candidates_.size() ? std::string_view::npos : positions_[first - 1];
  }

  const AccentDictionary& dictionary_;
  const ContextModel* context_;
  WordFilter filter_;
  std::vector<std::uint64_t> own_filter_;  // with a context model: the dictionary's filter and its words
  std::vector<Slot> slots_;                // sets of `ways` slots, those found more often first
  int shift_ = 64;
  std::vector<ContextModel::WrittenWord> written_words_;  // of the kept answers
  // Room for ask() and first_variant(), kept from word to word.
  std::string marked_;
  std::string dictionary_spelling_;
  std::string variants_;
  std::vector<std::size_t> positions_;
  std::vector<std::string_view> candidates_;
};

AccentRestorer::AccentRestorer(const AccentDictionary& dictionary, const ContextModel* context)
    : dictionary_(dictionary),
      context_(context && !context->empty() ? context : nullptr),
      answers_(std::make_unique<WordAnswers>(dictionary, context_)) {}

AccentRestorer::~AccentRestorer() = default;

void AccentRestorer::learn_from(const AccentRestorer& other) { answers_->learn_from(*other.answers_); }

void AccentRestorer::restore(text::CodePageText& text, AccentCorrections& corrections) {
  if (dictionary_.empty()) return;
  answers_->fit(text.text.size());
  // A word on its way: lower-cased, its answer being fetched.
  struct PendingWord {
    char* word = nullptr;
    std::size_t size = 0;
    char* lower = nullptr;
    WordAnswers::Probe probe;
  };
  // Each word is made ready (lower-cased, its answer's memory asked for) a few words ahead of its
  // turn, so that the wait for that memory overlaps the work on the words before it.
  constexpr std::size_t ahead = 4;  // a power of two: `made % ahead` takes no division
  const std::size_t room = std::max<std::size_t>(dictionary_.longest(), 16);
  lowers_.resize(ahead * room);
  PendingWord pending[ahead];
  for (std::size_t k = 0; k < ahead; ++k) pending[k].lower = lowers_.data() + k * room;
  std::size_t made = 0;  // words made ready so far; the oldest ready one is finished first
  char* const bytes = text.text.data();
  const auto finish = [&](PendingWord& w) {
    const WordAnswers::Answer answer = answers_->find(w.probe, w.lower, w.size);
    const std::size_t p = answer.position;
    if (answer.context_word) {
      const ContextModel::WrittenWord& word = *answer.context_word;
      const std::size_t choice =
          context_->choose(word, reader_.around(text.text, static_cast<std::size_t>(w.word - bytes), w.size));
      // Most of the model's words stay as they are written.
      if (choice != word.as_written) correct(w.word, w.size, context_->spelling(word, choice).data(), corrections);
      return;
    }
    // Most words: `lower` is the word in small letters, nothing to write.
    if (p == std::string_view::npos && !answer.marks) return;
    // Most of the others are written in small letters, and then become their small-letter form
    // with its marks as it is.
    const bool written_small = std::memcmp(w.word, w.lower, w.size) == 0;
    if (answer.marks) context_->restore_marks(w.lower, w.size);
    if (p != std::string_view::npos) w.lower[p] = accented_vowel(w.lower[p]);
    if (!written_small) {
      correct(w.word, w.size, w.lower, corrections);
    } else if (std::memcmp(w.word, w.lower, w.size) != 0) {
      std::memcpy(w.word, w.lower, w.size);
      count_correction(w.lower, w.size, corrections);
    }
  };
  // The foreign runs, in step with the words: the first run that ends after the current word's start.
  auto run = text.foreign.begin();
  text::for_each_word(text.text, [&](std::size_t offset, std::size_t size) {
    if (size > dictionary_.longest()) return;
    while (run != text.foreign.end() && run->end() <= offset) ++run;
    if (run != text.foreign.end() && run->offset < offset + size) return;
    PendingWord& w = pending[made % ahead];
    if (made >= ahead && answers_->asked(w.probe)) finish(w);
    w.word = bytes + offset;
    w.size = size;
    w.probe = answers_->prepare(w.word, size, text.text.size() - offset, w.lower);
    ++made;
  });
  for (std::size_t k = made > ahead ? made - ahead : 0; k < made; ++k)
    if (answers_->asked(pending[k % ahead].probe)) finish(pending[k % ahead]);
}

void AccentRestorer::count_correction(const char* lower, std::size_t size, AccentCorrections& corrections) {
  ++corrections.count;
  if (corrections.count <= max_listed_corrections) {
    corrections.list.append(lower, size);
    corrections.list.append("\r\n");
  }
}

// Writes into `word` the letters of `lower`, its small-letter form with the marks it takes, and
// counts the word if any letter changed.
void AccentRestorer::correct(char* word, std::size_t size, const char* lower, AccentCorrections& corrections) {
  std::size_t changed = 0;
  while (changed < size && text::cp1252::to_lower(static_cast<unsigned char>(word[changed])) ==
                               static_cast<unsigned char>(lower[changed]))
    ++changed;
  if (changed == size) return;
  count_correction(lower, size, corrections);
  // The corrected word written in the style of the word as written differs from that word only
  // in the letters that took a mark: small letters and capitals by their definition, a
  // capitalised word unless the letter is its first. So only those letters are written, in
  // the case they take.
  const text::CaseStyle style = text::case_style(std::string_view(word, size));
  for (std::size_t i = changed; i < size; ++i) {
    const auto as_written = static_cast<unsigned char>(word[i]);
    const auto small = static_cast<unsigned char>(lower[i]);
    if (text::cp1252::to_lower(as_written) == small) continue;
    const auto capital = static_cast<char>(text::cp1252::to_upper(small));
    switch (style) {
      case text::CaseStyle::small: word[i] = static_cast<char>(small); break;
      case text::CaseStyle::capitalised: word[i] = i == 0 ? capital : static_cast<char>(small); break;
      case text::CaseStyle::capitals: word[i] = capital; break;
      // Mixed capitals stay as written; the letter takes its mark in its own case.
      case text::CaseStyle::other:
        word[i] = text::cp1252::to_lower(as_written) == as_written ? static_cast<char>(small) : capital;
        break;
    }
  }
}

void restore_accents(text::CodePageText& text, const AccentDictionary& dictionary, AccentCorrections& corrections) {
  AccentRestorer(dictionary).restore(text, corrections);
}

void add_corrections(AccentCorrections& corrections, const AccentCorrections& later) {
  // The later list holds its own first words; as many of them as the list has room for.
  std::size_t listed = static_cast<std::size_t>(std::min<std::int64_t>(corrections.count, max_listed_corrections));
  std::size_t at = 0;
  while (listed < max_listed_corrections && at < later.list.size()) {
    const std::size_t end = later.list.find("\r\n", at);
    if (end == std::string::npos) break;
    corrections.list.append(later.list, at, end + 2 - at);
    at = end + 2;
    ++listed;
  }
  corrections.count += later.count;
}

std::string correction_report(const AccentCorrections& corrections) {
  std::string report = "Encontradas " + text::format_count(corrections.count) +
                       " palabras a las que se le ha puesto t\xEDlde ortogr\xE1"
                       "fica ...";
  if (corrections.count > 0) {
    report +=
        "\r\nYa puedes pegar el texto con las t\xEDldes correg\xED"
        "das ...\r\n";
    report += corrections.list;
  }
  return report;
}

}  // namespace accents
