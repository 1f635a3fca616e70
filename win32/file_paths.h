#pragma once

#include <string>

namespace win32 {

// `path` as the file calls take it: a path of MAX_PATH characters or more in its extended-length
// form ("\\?\C:\..." or "\\?\UNC\..."), any other as it is.
std::wstring extended_length_path(const std::wstring& path);

// True when the file system reports attributes for `path`; a folder counts as existing.
bool file_exists(const std::wstring& path);

// The running executable's full file name, however long.
std::wstring executable_path();

// executable_path() up to and including its last backslash.
std::wstring executable_folder();

}  // namespace win32
