#include "text/repetition.h"

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

#include "text/code_page_1252.h"
#include "text/function_words.h"
#include "text/report_text.h"
#include "text/tokens.h"
#include "text/word_hash.h"

namespace text {

namespace {

constexpr std::size_t compared_bytes = 256;
constexpr std::size_t listed_bytes = 255;

// A probe sequence this long means the key fits the text badly: the table takes a new one.
constexpr std::size_t max_probes = 64;

// The word as it is compared: in small letters, at most compared_bytes long.
class FoldedWord {
 public:
  explicit FoldedWord(std::string_view word) : size_(std::min(word.size(), compared_bytes)) {
    for (std::size_t i = 0; i < size_; ++i)
      bytes_[i] = static_cast<char>(cp1252::lower_bytes[static_cast<unsigned char>(word[i])]);
  }
  std::string_view view() const { return {bytes_, size_}; }

 private:
  char bytes_[compared_bytes];
  std::size_t size_;
};

// Occurrences of each distinct word, counted in one pass. A slot holds where the word first
// occurs in the text (plus one; 0 is free); its count sits beside it. Eight bytes per distinct
// word and slot, so even a text of nothing but different words stays within a few bytes per
// byte of text.
class WordTally {
 public:
  explicit WordTally(std::string_view text) : text_(text), key_(random_hash_key()) { resize(1024); }

  void add(std::size_t offset, std::string_view word) {
    // Running text repeats a few words over and over: a word written exactly as one of the
    // last few is counted without folding and hashing it again.
    Recent& recent = recent_[(word.size() * 31 + static_cast<unsigned char>(word.front()) +
                              static_cast<unsigned char>(word.back()) * 7) %
                             recent_.size()];
    if (recent.size == word.size() && text_.compare(recent.offset, recent.size, word) == 0) {
      ++counts_[recent.slot];
      return;
    }
    const FoldedWord folded(word);
    const std::size_t slot = find_or_insert(folded.view(), offset);
    ++counts_[slot];
    recent = {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(word.size()),
              static_cast<std::uint32_t>(slot)};
  }

  std::uint32_t count_of(std::string_view word) const {
    const FoldedWord folded(word);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t pos = hash_word(folded.view(), key_) & mask;; pos = (pos + 1) & mask) {
      if (slots_[pos] == 0) return 0;
      if (matches_at(folded.view(), slots_[pos] - 1)) return counts_[pos];
    }
  }

  // Calls f(word, count) for every distinct word, as first written.
  template <typename F>
  void for_each(F f) const {
    for (std::size_t pos = 0; pos < slots_.size(); ++pos)
      if (slots_[pos] != 0) f(word_at(slots_[pos] - 1), counts_[pos]);
  }

 private:
  std::string_view word_at(std::size_t offset) const {
    std::size_t end = offset;
    while (end < text_.size() && end - offset < compared_bytes &&
           !is_separator_byte(static_cast<unsigned char>(text_[end])))
      ++end;
    return text_.substr(offset, end - offset);
  }

  // True when the word at `offset` of the text, compared as a word is, is `folded`.
  bool matches_at(std::string_view folded, std::size_t offset) const {
    const std::size_t n = folded.size();
    if (n > text_.size() - offset) return false;
    for (std::size_t i = 0; i < n; ++i)
      if (cp1252::lower_bytes[static_cast<unsigned char>(text_[offset + i])] != static_cast<unsigned char>(folded[i]))
        return false;
    // The word there must end where `folded` does, unless both were cut at the compared length.
    return n == compared_bytes || offset + n == text_.size() ||
           is_separator_byte(static_cast<unsigned char>(text_[offset + n]));
  }

  std::size_t find_or_insert(std::string_view folded, std::size_t offset) {
    for (;;) {
      const std::size_t mask = slots_.size() - 1;
      std::size_t pos = hash_word(folded, key_) & mask;
      for (std::size_t probes = 0; probes < max_probes; ++probes, pos = (pos + 1) & mask) {
        if (slots_[pos] == 0) {
          if (used_ + 1 > slots_.size() / 4 * 3) break;
          slots_[pos] = static_cast<std::uint32_t>(offset + 1);
          ++used_;
          return pos;
        }
        if (matches_at(folded, slots_[pos] - 1)) return pos;
      }
      // Full, or a cluster too long: a larger table, or a new key for a badly spread one.
      if (used_ + 1 > slots_.size() / 4 * 3) {
        resize(slots_.size() * 2);
      } else {
        key_ = random_hash_key();
        resize(slots_.size());
      }
    }
  }

  void resize(std::size_t size) {
    recent_.fill(Recent{});
    std::vector<std::uint32_t> old_slots(size, 0), old_counts(size, 0);
    old_slots.swap(slots_);
    old_counts.swap(counts_);
    const std::size_t mask = size - 1;
    for (std::size_t i = 0; i < old_slots.size(); ++i) {
      if (old_slots[i] == 0) continue;
      const FoldedWord folded(word_at(old_slots[i] - 1));
      std::size_t pos = hash_word(folded.view(), key_) & mask;
      while (slots_[pos] != 0) pos = (pos + 1) & mask;
      slots_[pos] = old_slots[i];
      counts_[pos] = old_counts[i];
    }
  }

  struct Recent {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;  // 0: nothing here yet
    std::uint32_t slot = 0;
  };

  std::string_view text_;
  HashKey key_;
  std::array<Recent, 256> recent_{};
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint32_t> counts_;
  std::size_t used_ = 0;
};

}  // namespace

std::string word_repetition_report(std::string_view text) {
  if (text.size() > UINT32_MAX - 1) throw std::length_error("text of 4 GiB or more");
  WordTally tally(text);
  // Every byte outside a word is a token of its own.
  std::size_t words = 0, word_bytes = 0;
  for_each_word(text, [&](std::size_t offset, std::size_t length) {
    tally.add(offset, text.substr(offset, length));
    ++words;
    word_bytes += length;
  });
  const std::size_t tokens = words + (text.size() - word_bytes);

  // The single-precision factor times T is exact in double precision.
  const double threshold = std::max(2.0, static_cast<double>(repetition_ratio) * static_cast<double>(tokens));
  const auto repeated = [&](std::string_view word, std::uint32_t count) {
    return static_cast<double>(count) >= threshold && is_content_word(word.substr(0, compared_bytes));
  };
  std::int64_t occurrences = 0;
  tally.for_each([&](std::string_view word, std::uint32_t count) {
    if (repeated(word, count)) occurrences += count;
  });
  if (occurrences == 0) return std::string(no_repetition_report);

  std::string report = count_report(occurrences, " palabra(s) m\xE1s repetidas");
  report += "\r\n";
  std::size_t listed = 0;
  for (const std::string_view token : split_text(text)) {
    if (listed == max_listed_repetitions) break;
    if (is_separator(token) || !repeated(token, tally.count_of(token))) continue;
    if (listed++ > 0) report += ',';
    report += token.substr(0, listed_bytes);
  }
  if (static_cast<std::size_t>(occurrences) > listed) report += ",...";
  return report;
}

}  // namespace text
