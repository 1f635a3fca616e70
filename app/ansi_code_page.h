#pragma once

#include <string>
#include <string_view>

#include "text/clipboard_text.h"

namespace app {

// The system ANSI code page (CP_ACP): WideCharToMultiByte with flags 0 (best fit, then the
// default character) and MultiByteToWideChar with MB_PRECOMPOSED.
const text::CodePage& ansi_code_page();

// Code page text for the menu and the message boxes.
std::wstring ansi_to_wide(std::string_view text);

}  // namespace app
