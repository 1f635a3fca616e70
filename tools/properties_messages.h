#pragma once

#include <string>
#include <string_view>
#include <vector>

// The messages of a Java-style .properties file (key = value lines, as Firefox and Thunderbird
// keep part of their translations), for counting the words of translated programs.

namespace tools {

// The value of every entry of the file, in the file's order, as UTF-8: a line ending in an
// unescaped backslash goes on with the next one (its leading white space dropped), \uXXXX (a
// surrogate pair too) and \n, \t, \r are decoded and any other escaped byte stands for itself.
// Comments (# or ! first on a line), empty values and the entries whose key names an access key
// or a keyboard shortcut (ending in "accesskey", "commandkey" or ".key", in any case) are left
// out. An escape that the file cuts short is dropped.
std::vector<std::string> properties_messages(std::string_view file);

}  // namespace tools
