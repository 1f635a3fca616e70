#include "tools/gettext_catalog.h"

#include <cstdint>

namespace tools {

namespace {

constexpr std::uint32_t magic = 0x950412de;

struct Reader {
  std::string_view bytes;
  bool swapped = false;

  std::optional<std::uint32_t> word(std::uint64_t offset) const {
    if (offset + 4 > bytes.size()) return std::nullopt;
    const auto byte = [&](std::uint64_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
    const std::uint32_t little = byte(offset) | byte(offset + 1) << 8 | byte(offset + 2) << 16 | byte(offset + 3) << 24;
    const std::uint32_t big = byte(offset) << 24 | byte(offset + 1) << 16 | byte(offset + 2) << 8 | byte(offset + 3);
    return swapped ? big : little;
  }

  // The string described by the table entry at `entry`: its length, then its offset.
  std::optional<std::string_view> string(std::uint64_t entry) const {
    const auto length = word(entry), offset = word(entry + 4);
    if (!length || !offset || std::uint64_t{*offset} + *length > bytes.size()) return std::nullopt;
    return bytes.substr(*offset, *length);
  }
};

}  // namespace

std::optional<std::vector<std::string>> catalog_translations(std::string_view bytes) {
  Reader reader{bytes};
  const auto first = reader.word(0);
  if (!first) return std::nullopt;
  if (*first != magic) {
    reader.swapped = true;
    if (reader.word(0) != magic) return std::nullopt;
  }
  const auto revision = reader.word(4), count = reader.word(8), originals = reader.word(12),
             translations = reader.word(16);
  if (!revision || !count || !originals || !translations || *revision >> 16 > 1) return std::nullopt;

  std::vector<std::string> messages;
  for (std::uint64_t i = 0; i < *count; ++i) {
    const auto original = reader.string(*originals + 8 * i);
    const auto translation = reader.string(*translations + 8 * i);
    if (!original || !translation) return std::nullopt;
    if (original->empty()) continue;
    for (std::string_view rest = *translation;;) {
      const auto nul = rest.find('\0');
      messages.emplace_back(rest.substr(0, nul));
      if (nul == std::string_view::npos) break;
      rest.remove_prefix(nul + 1);
    }
  }
  return messages;
}

}  // namespace tools
