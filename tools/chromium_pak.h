#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The translated messages of a Chromium locale pack (locales/LL.pak, with the LL.pak.info list
// beside it), for counting the words of translated programs.

namespace tools {

struct PakMessage {
  std::uint16_t id = 0;
  std::string text;  // UTF-8
};

// The resources of a pack of format 4 or 5 whose text is UTF-8 (a locale pack's strings), in the
// file's order; resources that are not valid UTF-8 (compressed ones) and aliases (a second id
// for a resource already read) are left out. None when the bytes are not a well-formed pack: an
// unknown version or encoding, or a table or resource that reaches past the end or runs backwards.
std::optional<std::vector<PakMessage>> pak_messages(std::string_view bytes);

// The file of Chromium's sources that each resource id comes from, read from the pack's .info
// list: "NAME,ID,PATH" a line. Lines that are not of that form are passed over.
std::map<std::uint16_t, std::string> pak_message_files(std::string_view info);

// The text of an ICU MessageFormat message: a plural or select argument ({N, plural, =1 {...}
// other {...}}) gives its "other" variant, with "#" (the number) left out, and any other
// argument ({NAME}) nothing. An unclosed brace stays as text.
std::string icu_message_text(std::string_view message);

}  // namespace tools
