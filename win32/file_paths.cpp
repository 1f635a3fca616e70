#include "win32/file_paths.h"

#include <windows.h>

#include <string_view>

namespace win32 {

std::wstring extended_length_path(const std::wstring& path) {
  constexpr std::wstring_view extended = L"\\\\?\\";
  if (path.size() < MAX_PATH || path.starts_with(extended)) return path;
  if (path.starts_with(L"\\\\")) return std::wstring(extended) + L"UNC\\" + path.substr(2);
  if (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) {
    std::wstring result = std::wstring(extended) + path;
    for (wchar_t& c : result) {
      if (c == L'/') c = L'\\';
    }
    return result;
  }
  return path;
}

bool file_exists(const std::wstring& path) {
  if (path.empty()) return false;
  return GetFileAttributesW(extended_length_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring executable_path() {
  // The extended-length limit: no file name is longer.
  constexpr DWORD largest = 32768;
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(name.size());
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), size);
    if (length == 0) return {};
    if (length < size) {
      name.resize(length);
      return name;
    }
    if (size >= largest) return {};
    name.resize(size * 2);
  }
}

std::wstring executable_folder() {
  std::wstring path = executable_path();
  const std::size_t last = path.find_last_of(L'\\');
  if (last == std::wstring::npos) return {};
  path.resize(last + 1);
  return path;
}

}  // namespace win32
