#pragma once

#include <string>
#include <string_view>

namespace app {

// Text in the system ANSI code page to UTF-16 (MultiByteToWideChar with CP_ACP).
std::wstring ansi_to_wide(std::string_view text);

}  // namespace app
