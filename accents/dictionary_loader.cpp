#include "accents/dictionary_loader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "accents/dictionary_file.h"
#include "text/case_conversion.h"

namespace accents {

namespace {

// The record's word with its spaces trimmed, written at `out`; returns its length.
std::size_t trimmed_record_word(const unsigned char* record, char* out) {
  char* end = out + decode_record_into(record, out);
  const char* first =
      std::find_if(static_cast<const char*>(out), static_cast<const char*>(end), [](char c) { return c != ' '; });
  while (end > first && end[-1] == ' ') --end;
  if (first != out) std::copy(first, static_cast<const char*>(end), out);
  return static_cast<std::size_t>(end - first);
}

}  // namespace

DictionaryLoader::DictionaryLoader(std::uint64_t file_size, std::function<void()> every_256_records)
    : file_size_(file_size), every_256_records_(std::move(every_256_records)) {
  if (file_size_ % record_size != 0 || file_size_ / record_size > std::numeric_limits<std::uint32_t>::max()) return;
  const auto records = static_cast<std::size_t>(file_size_ / record_size);
  ends_.reserve(records);
  // Room for words of 12 bytes, the usual length, and more as needed.
  words_.resize(records * 12 + max_decoded_length);
}

void DictionaryLoader::add_record(const unsigned char* record) {
  if (words_.size() - used_ < max_decoded_length) words_.resize(2 * words_.size() + max_decoded_length);
  used_ += trimmed_record_word(record, words_.data() + used_);
  if (used_ > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("accent dictionary larger than 4 GiB");
  ends_.push_back(static_cast<std::uint32_t>(used_));
  if (ends_.size() % 256 == 0 && every_256_records_) every_256_records_();
}

void DictionaryLoader::add(std::span<const unsigned char> bytes) {
  added_ += bytes.size();
  if (file_size_ % record_size != 0 || added_ > file_size_) return;
  if (partial_size_ > 0) {
    const std::size_t taken = std::min(bytes.size(), record_size - partial_size_);
    std::copy_n(bytes.begin(), taken, partial_ + partial_size_);
    partial_size_ += taken;
    bytes = bytes.subspan(taken);
    if (partial_size_ < record_size) return;
    add_record(partial_);
    partial_size_ = 0;
  }
  for (; bytes.size() >= record_size; bytes = bytes.subspan(record_size)) add_record(bytes.data());
  std::copy(bytes.begin(), bytes.end(), partial_);
  partial_size_ = bytes.size();
}

DictionaryLoad DictionaryLoader::finish() && {
  DictionaryLoad result;
  if (file_size_ % record_size != 0 || added_ != file_size_) {
    result.format_error = true;
    return result;
  }
  // Lower-cased in one pass over all the words.
  words_.resize(used_);
  text::lower_case_in_place(words_.data(), words_.size());
  result.dictionary.add_all(std::move(words_), ends_);
  return result;
}

DictionaryLoad load_accent_dictionary(std::span<const unsigned char> file,
                                      const std::function<void()>& every_256_records) {
  DictionaryLoader loader(file.size(), every_256_records);
  loader.add(file);
  return std::move(loader).finish();
}

}  // namespace accents
