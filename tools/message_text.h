#pragma once

#include <string>
#include <string_view>
#include <vector>

// The running text of one message of a translated program (a gettext translation, or a
// Fluent or .properties message of Firefox or Thunderbird), for counting the words people write.

namespace tools {

// The paragraphs of a UTF-8 message, each line one paragraph with its white space collapsed;
// empty ones are left out. Markup tags go (a tag that breaks a line, such as <br/> or <p>,
// breaks the paragraph), and so do placeholders (%s %1$s %S %1$S %1% %1 %PRODUCTNAME %NAME%, $name,
// $(ARG1), $1, ${...}, {...}, [[...]]) and accelerator marks (~ and _ before a letter).
std::vector<std::string> message_paragraphs(std::string_view message);

}  // namespace tools
