#pragma once

#include <windows.h>

#include <string>

#include "accents/accent_dictionary.h"

namespace app {

inline constexpr wchar_t dictionary_file_name[] = L"diccionario.log";

// The dictionary the program reads: diccionario.log in the executable's folder.
std::wstring dictionary_path();

// Reads the dictionary file at `path` (opened read-only and unshared while it is read), or the
// ready index made from it beside it (accents/dictionary_index.h: same name, extension .idx),
// which is mapped and kept mapped for as long as the dictionary lives. A file
// that cannot be opened or read gives an empty dictionary, silently; a file whose length is not
// a whole number of records shows the format error box and gives an empty dictionary. While it
// reads, one pending message of the thread is handled every 256 records, those for `dialog`
// through the dialog manager.
accents::AccentDictionary load_dictionary_file(HWND dialog, const std::wstring& path);

}  // namespace app
