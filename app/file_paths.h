#pragma once

#include <string>

namespace app {

inline constexpr wchar_t dictionary_file_name[] = L"diccionario.log";

// True when the file system reports attributes for `path`; a folder counts as existing.
// Paths longer than MAX_PATH are handed over in their extended-length form.
bool file_exists(const std::wstring& path);

// The running executable's full file name, however long.
std::wstring executable_path();

// executable_path() up to and including its last backslash.
std::wstring executable_folder();

// executable_folder() + "diccionario.log".
std::wstring dictionary_path();

}  // namespace app
