#include "cli/text_input.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "cli/system.h"
#include "text/utf8.h"

namespace cli {

namespace {

bool is_standard_input(const std::filesystem::path& path) { return path == standard_input_name; }

std::string quoted(const std::filesystem::path& path) {
  return is_standard_input(path) ? "entrada est\xC3\xA1ndar" : "\xC2\xAB" + display_name(path) + "\xC2\xBB";
}

std::string cannot_read(const std::filesystem::path& path, int error) {
  return "no se puede leer " + quoted(path) + ": " + std::strerror(error);
}

}  // namespace

TextInput::TextInput(std::vector<std::filesystem::path> files)
    : files_(std::move(files)), raw_(std::make_unique_for_overwrite<char[]>(block_bytes + 4)) {
  if (files_.empty()) files_.emplace_back(standard_input_name);
}

std::string TextInput::current_name() const { return quoted(files_[next_file_ - 1]); }

TextInput::Status TextInput::fail(std::string message) {
  error_ = std::move(message);
  return Status::failed;
}

TextInput::Status TextInput::read(text::CodePageText& text) {
  for (;;) {
    if (!file_) {
      if (next_file_ == files_.size()) return Status::end;
      const std::filesystem::path& path = files_[next_file_++];
      from_standard_input_ = is_standard_input(path);
      opened_ = from_standard_input_ ? nullptr : open_for_reading(path);
      file_ = from_standard_input_ ? stdin : opened_.get();
      if (!file_) return fail(cannot_read(path, errno));
      file_offset_ = 0;
      carried_ = 0;
    }
    const std::size_t got = std::fread(raw_.get() + carried_, 1, block_bytes, file_);
    if (got == 0) {
      if (std::ferror(file_)) return fail(cannot_read(files_[next_file_ - 1], errno));
      // A character cut by the end of its file is cut for good: files are joined as texts, not
      // as bytes.
      if (carried_ > 0)
        return fail(current_name() + ": UTF-8 no v\xC3\xA1lido en el byte " + std::to_string(file_offset_) +
                    " (contando desde 0)");
      opened_.reset();
      file_ = nullptr;
      continue;
    }
    std::string_view bytes(raw_.get(), carried_ + got);
    if (!started_) {
      started_ = true;
      if (bytes.starts_with(text::utf8_bom)) {
        bom_ = true;
        bytes.remove_prefix(text::utf8_bom.size());
        file_offset_ += text::utf8_bom.size();
      }
    }
    const text::Utf8Read r = text::append_utf8(text, bytes);
    if (r.invalid)
      return fail(current_name() + ": UTF-8 no v\xC3\xA1lido en el byte " + std::to_string(file_offset_ + r.read) +
                  " (contando desde 0)");
    carried_ = bytes.size() - r.read;
    std::memmove(raw_.get(), bytes.data() + r.read, carried_);
    file_offset_ += r.read;
    return Status::more;
  }
}

std::uint64_t TextInput::expected_bytes() const {
  std::uint64_t total = 0;
  for (const std::filesystem::path& path : files_) {
    std::error_code error;
    if (const auto size = std::filesystem::file_size(path, error); !error && !is_standard_input(path)) total += size;
  }
  return total;
}

std::optional<std::string> unreadable_file(const std::vector<std::filesystem::path>& files) {
  for (const std::filesystem::path& path : files) {
    if (is_standard_input(path)) continue;
    // Opening a folder works on some systems; reading it never does.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return cannot_read(path, EISDIR);
    if (!open_for_reading(path)) return cannot_read(path, errno);
  }
  return std::nullopt;
}

}  // namespace cli
