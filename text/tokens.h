#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string_view>

#include "text/char_classes.h"

// Cutting a text into tokens: a word token is a maximal run of bytes none of which is a
// separator; a separator token is exactly one separator byte. Every byte lands in exactly one
// token and the tokens, read in order, give back the text. The tokens are found as they are
// read: nothing is stored, whatever the length of the text.

namespace text {

class Tokens {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    iterator() = default;
    iterator(std::string_view text, std::size_t start) : text_(text), start_(start), end_(token_end(start)) {}

    std::string_view operator*() const { return text_.substr(start_, end_ - start_); }
    // Where the current token starts in the text.
    std::size_t offset() const { return start_; }
    iterator& operator++() {
      start_ = end_;
      end_ = token_end(start_);
      return *this;
    }
    iterator operator++(int) {
      iterator old = *this;
      ++*this;
      return old;
    }
    friend bool operator==(const iterator& a, const iterator& b) { return a.start_ == b.start_; }

   private:
    std::size_t token_end(std::size_t start) const {
      if (start >= text_.size()) return start;
      if (is_separator_byte(static_cast<unsigned char>(text_[start]))) return start + 1;
      std::size_t end = start + 1;
      while (end < text_.size() && !is_separator_byte(static_cast<unsigned char>(text_[end]))) ++end;
      return end;
    }

    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
  };

  explicit Tokens(std::string_view text) : text_(text) {}
  iterator begin() const { return iterator(text_, 0); }
  iterator end() const { return iterator(text_, text_.size()); }

 private:
  std::string_view text_;
};

// The tokens of `text`, as views into it: valid while the text lives unchanged.
inline Tokens split_text(std::string_view text) { return Tokens(text); }

// The word bytes of 16 bytes of text as bits, 1 for a byte of a word.
inline std::uint64_t word_bits_of_16(const unsigned char* bytes) {
#if defined(__SSE2__)
  // Letters, the bytes from 0xC0 on (all letters) and the commonest separators (controls, space,
  // digits, the ASCII punctuation of running text) are told apart sixteen at a time; sixteen
  // bytes that hold any other byte are looked up one by one.
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const auto in = [&v](int first, int last) {  // signed bytes
    return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(first - 1))),
                         _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(last + 1))));
  };
  const __m128i small =
      _mm_add_epi8(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8(static_cast<char>(0x80 - 'a')));
  const __m128i letters = _mm_or_si128(_mm_cmplt_epi8(small, _mm_set1_epi8(static_cast<char>(0x80 + 26))), in(-64, -1));
  const __m128i separators =
      _mm_or_si128(_mm_or_si128(in(0x01, 0x24), in(0x28, 0x29)), _mm_or_si128(in(0x2C, 0x2C), in(0x2E, 0x3F)));
  if (_mm_movemask_epi8(_mm_or_si128(letters, separators)) == 0xFFFF)
    return static_cast<std::uint64_t>(_mm_movemask_epi8(letters));
#endif
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 16; ++i) bits |= std::uint64_t{byte_tables::word_bits[bytes[i]]} << i;
  return bits;
}

// Calls f(offset, length) for each word token of `text` in order, the tokens split_text gives
// that are not separators. The text is read 64 bytes at a time into a mask of its word bytes,
// without a branch per byte; the words' ends are where the mask changes.
template <typename F>
void for_each_word(std::string_view text, F f) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t start = 0;  // of the word that runs on from one block into the next
  std::uint64_t runs_on = 0;
  for (std::size_t block = 0; block < n; block += 64) {
    const std::size_t count = std::min<std::size_t>(64, n - block);
    std::uint64_t word_bytes = 0;
    if (count == 64) {
      for (std::size_t group = 0; group < 64; group += 16)
        word_bytes |= word_bits_of_16(bytes + block + group) << group;
    } else {
      for (std::size_t i = 0; i < count; ++i)
        word_bytes |= std::uint64_t{byte_tables::word_bits[bytes[block + i]]} << i;
    }
    const std::uint64_t after_word = word_bytes << 1 | runs_on;
    std::uint64_t starts = word_bytes & ~after_word;
    // A word that ends with the last block, not with its 64th byte, ends at its bit `count`.
    std::uint64_t ends = ~word_bytes & after_word;
    while (ends != 0) {
      const auto end = static_cast<std::size_t>(std::countr_zero(ends));
      ends &= ends - 1;
      if (starts != 0 && static_cast<std::size_t>(std::countr_zero(starts)) < end) {
        start = block + static_cast<std::size_t>(std::countr_zero(starts));
        starts &= starts - 1;
      }
      f(start, block + end - start);
    }
    if (starts != 0) start = block + static_cast<std::size_t>(std::countr_zero(starts));
    runs_on = count == 64 ? word_bytes >> 63 : 0;
  }
  if (runs_on != 0) f(start, n - start);
}

}  // namespace text
