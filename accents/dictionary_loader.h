#pragma once

#include <cstddef>
#include <functional>
#include <span>

#include "accents/accent_dictionary.h"

// Turning the bytes of a dictionary file into the accent dictionary. The file side (finding,
// opening and reading the file, telling the user about a bad one) belongs to the program.

namespace accents {

struct DictionaryLoad {
  bool format_error = false;  // the length is not a multiple of the record size; nothing loaded
  AccentDictionary dictionary;
};

// Every record gives one entry: its word with the spaces (0x20 only) at both ends removed, then
// lower-cased (code page 1252). `every_256_records`, when given, runs after each 256th
// record so that a user interface can stay responsive.
DictionaryLoad load_accent_dictionary(std::span<const unsigned char> file,
                                      const std::function<void()>& every_256_records = {});

}  // namespace accents
