#include "text/ansi.h"

#include <windows.h>

#include <climits>

namespace text {

// The program is built for x86: every text length fits the DWORD the calls take.
static_assert(sizeof(std::size_t) <= sizeof(DWORD));

void ansi_upper(char* bytes, std::size_t length) {
  if (length > 0) CharUpperBuffA(bytes, static_cast<DWORD>(length));
}

void ansi_lower(char* bytes, std::size_t length) {
  if (length > 0) CharLowerBuffA(bytes, static_cast<DWORD>(length));
}

bool ansi_is_alpha(const char* bytes, std::size_t length) {
  if (length == 0 || length > 2) return false;
  WORD types[2] = {};
  if (!GetStringTypeA(0, CT_CTYPE1, bytes, static_cast<int>(length), types)) return false;
  return (types[0] & C1_ALPHA) != 0;
}

std::size_t ansi_char_length(const char* bytes, std::size_t remaining) {
  if (remaining == 0) return 0;
  if (bytes[0] == '\0' || remaining == 1) return 1;
  // CharNextA reads up to a terminating zero: give it this character alone.
  const char pair[3] = {bytes[0], bytes[1], '\0'};
  const std::size_t n = static_cast<std::size_t>(CharNextA(pair) - pair);
  return n == 0 ? 1 : n;
}

}  // namespace text
