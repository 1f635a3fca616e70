#pragma once

#include <string>
#include <string_view>

namespace win32 {

// Code page 1252 text (menu captions, report texts) for the wide Win32 calls.
std::wstring to_wide(std::string_view text);

}  // namespace win32
