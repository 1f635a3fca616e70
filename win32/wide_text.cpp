#include "win32/wide_text.h"

#include "text/code_page_text.h"

namespace win32 {

std::wstring to_wide(std::string_view text) {
  const std::u16string units = text::to_utf16(text::CodePageText{std::string(text), {}, {}});
  return std::wstring(units.begin(), units.end());
}

}  // namespace win32
