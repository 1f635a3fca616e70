#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

// Cutting a text into tokens: a word token is a maximal run of bytes none of which is a
// separator; a separator token is exactly one separator byte. Every byte lands in exactly one
// token and the tokens, read in order, give back the text.

namespace text {

// The tokens of one text, read as string_views into it: valid while that text lives unchanged.
// Held as the start offset of each token, since every token ends where the next one starts;
// 32-bit offsets halve the memory of a 64-bit build and are all a 32-bit process can use.
class TokenList {
 public:
  class iterator;

  TokenList() = default;

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  std::string_view operator[](std::size_t i) const {
    return std::string_view(text_.data() + starts_[i], starts_[i + 1] - starts_[i]);
  }
  std::string_view front() const { return (*this)[0]; }
  std::string_view back() const { return (*this)[count_ - 1]; }

  iterator begin() const;
  iterator end() const;

 private:
  friend TokenList split_text(std::string_view text);

  std::string_view text_;
  std::unique_ptr<std::uint32_t[]> starts_;  // count_ + 1 offsets, the last one text_.size()
  std::size_t count_ = 0;
};

class TokenList::iterator {
 public:
  using iterator_concept = std::random_access_iterator_tag;
  using iterator_category = std::input_iterator_tag;  // dereferencing yields a value, not a reference
  using value_type = std::string_view;
  using difference_type = std::ptrdiff_t;
  using reference = std::string_view;

  iterator() = default;
  iterator(const TokenList* list, std::size_t i) : list_(list), i_(i) {}

  std::string_view operator*() const { return (*list_)[i_]; }
  std::string_view operator[](difference_type n) const { return (*list_)[i_ + n]; }

  iterator& operator++() { ++i_; return *this; }
  iterator operator++(int) { auto old = *this; ++i_; return old; }
  iterator& operator--() { --i_; return *this; }
  iterator operator--(int) { auto old = *this; --i_; return old; }
  iterator& operator+=(difference_type n) { i_ += n; return *this; }
  iterator& operator-=(difference_type n) { i_ -= n; return *this; }
  friend iterator operator+(iterator it, difference_type n) { return it += n; }
  friend iterator operator+(difference_type n, iterator it) { return it += n; }
  friend iterator operator-(iterator it, difference_type n) { return it -= n; }
  friend difference_type operator-(const iterator& a, const iterator& b) {
    return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
  }
  friend bool operator==(const iterator& a, const iterator& b) { return a.i_ == b.i_; }
  friend auto operator<=>(const iterator& a, const iterator& b) { return a.i_ <=> b.i_; }

 private:
  const TokenList* list_ = nullptr;
  std::size_t i_ = 0;
};

inline TokenList::iterator TokenList::begin() const { return {this, 0}; }
inline TokenList::iterator TokenList::end() const { return {this, count_}; }

// Texts of 4 GiB or more (possible only in a 64-bit build) throw std::length_error.
TokenList split_text(std::string_view text);

// What every word command runs on the clipboard text it read: when `replace_line_breaks` is
// set, every CR and LF of `text` becomes a space (in place, same length); then the text is split.
TokenList prepare_tokens(std::string& text, bool replace_line_breaks);

// A token read back with its leading and trailing spaces removed: a space token reads back
// empty, every other token as itself.
inline std::string_view trimmed_token(std::string_view token) {
  return token == " " ? std::string_view{} : token;
}

}  // namespace text
