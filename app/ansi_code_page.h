#pragma once

#include "text/clipboard_text.h"

namespace app {

// The system ANSI code page (CP_ACP): WideCharToMultiByte with flags 0 (best fit, then the
// default character) and MultiByteToWideChar with MB_PRECOMPOSED.
const text::CodePage& ansi_code_page();

}  // namespace app
