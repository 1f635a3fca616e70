#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/system.h"
#include "text/code_page_text.h"

// The input of a command: the named files one after another as one text, or standard input,
// read in blocks and converted from UTF-8 as it is read. A UTF-8 byte-order mark that starts the
// input is taken off (and remembered); anywhere else it is a character like any other.

namespace cli {

// The name that stands for standard input, in place of a file name.
inline constexpr char standard_input_name[] = "-";

class TextInput {
 public:
  // Bytes read from a file at a time: small enough that the block's buffers stay in the cache
  // and a short text takes few fresh pages, large enough that a call costs nothing per byte.
  static constexpr std::size_t block_bytes = 256 << 10;

  // No files: standard input.
  explicit TextInput(std::vector<std::filesystem::path> files);
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  enum class Status { more, end, failed };
  // Appends the next block of the input to `text` (a character cut by the block's end waits for
  // the next one). `failed`: a file could not be read or is no UTF-8; error() says which and
  // where, and `text` holds everything before the fault.
  Status read(text::CodePageText& text);
  const std::string& error() const { return error_; }

  // True when the input started with a byte-order mark (known once anything was read).
  bool had_bom() const { return bom_; }

  // The bytes of the named files together, as far as the file system knows them in advance;
  // standard input counts as nothing. The text they give is at most this long.
  std::uint64_t expected_bytes() const;

 private:
  Status fail(std::string message);
  std::string current_name() const;

  std::vector<std::filesystem::path> files_;
  std::size_t next_file_ = 0;
  UniqueFile opened_;          // the named file being read, if any
  std::FILE* file_ = nullptr;  // the file being read: opened_ or standard input, which stays open
  bool from_standard_input_ = false;
  std::uint64_t file_offset_ = 0;  // where raw_[0] lies in the current file
  std::unique_ptr<char[]> raw_;    // block_bytes and a cut character, left uninitialised
  std::size_t carried_ = 0;        // bytes of a cut character at the start of raw_
  bool started_ = false;
  bool bom_ = false;
  std::string error_;
};

// The message for the first file that cannot be opened for reading, if any; checked before any
// output is written.
std::optional<std::string> unreadable_file(const std::vector<std::filesystem::path>& files);

}  // namespace cli
