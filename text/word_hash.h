#pragma once

#include <cstdint>
#include <string_view>

// Hashing of words for the program's hash tables. The key is drawn afresh for every process
// (and whenever a table asks for a new one), so no text or dictionary file can be made up in
// advance whose words all land on the same few slots.

namespace text {

struct HashKey {
  std::uint64_t k0, k1;
};

// A fresh key: the system's random source mixed with the time and the address space layout.
HashKey random_hash_key();

std::uint64_t hash_word(std::string_view word, const HashKey& key);

}  // namespace text
