#include "app/ansi_text.h"

#include <windows.h>

#include <climits>

namespace app {

std::wstring ansi_to_wide(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = static_cast<int>(text.size());
  const int wide_length = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (wide_length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), wide_length);
  return wide;
}

}  // namespace app
