#include "text/ansi.h"

#include <windows.h>

namespace text {

// The program is built for x86: every text length fits the DWORD the calls take.
static_assert(sizeof(std::size_t) <= sizeof(DWORD));

namespace {

// Mixed case converts one character at a time. On a single-byte code page the system's answer
// for a byte never depends on its neighbours, so the calls are asked once per byte value and
// remembered; long texts then convert without millions of calls.
struct SingleByteTables {
  bool valid = false;
  unsigned char upper[256] = {};
  unsigned char lower[256] = {};
  bool alpha[256] = {};
};

SingleByteTables ask_system() {
  SingleByteTables t;
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) return t;
  for (int b = 0; b < 256; ++b) {
    char u = static_cast<char>(b), l = static_cast<char>(b);
    const char c = static_cast<char>(b);
    WORD type = 0;
    CharUpperBuffA(&u, 1);
    CharLowerBuffA(&l, 1);
    if (!GetStringTypeA(0, CT_CTYPE1, &c, 1, &type)) return t;
    t.upper[b] = static_cast<unsigned char>(u);
    t.lower[b] = static_cast<unsigned char>(l);
    t.alpha[b] = (type & C1_ALPHA) != 0;
  }
  t.valid = true;
  return t;
}

const SingleByteTables& single_byte() {
  static const SingleByteTables tables = ask_system();
  return tables;
}

}  // namespace

void ansi_upper(char* bytes, std::size_t length) {
  if (length == 1 && single_byte().valid)
    bytes[0] = static_cast<char>(single_byte().upper[static_cast<unsigned char>(bytes[0])]);
  else if (length > 0)
    CharUpperBuffA(bytes, static_cast<DWORD>(length));
}

void ansi_lower(char* bytes, std::size_t length) {
  if (length == 1 && single_byte().valid)
    bytes[0] = static_cast<char>(single_byte().lower[static_cast<unsigned char>(bytes[0])]);
  else if (length > 0)
    CharLowerBuffA(bytes, static_cast<DWORD>(length));
}

bool ansi_is_alpha(const char* bytes, std::size_t length) {
  if (length == 1 && single_byte().valid) return single_byte().alpha[static_cast<unsigned char>(bytes[0])];
  if (length == 0 || length > 2) return false;
  WORD types[2] = {};
  if (!GetStringTypeA(0, CT_CTYPE1, bytes, static_cast<int>(length), types)) return false;
  return (types[0] & C1_ALPHA) != 0;
}

std::size_t ansi_char_length(const char* bytes, std::size_t remaining) {
  if (remaining == 0) return 0;
  if (single_byte().valid || bytes[0] == '\0' || remaining == 1) return 1;
  // CharNextA reads up to a terminating zero: give it this character alone.
  const char pair[3] = {bytes[0], bytes[1], '\0'};
  const std::size_t n = static_cast<std::size_t>(CharNextA(pair) - pair);
  return n == 0 ? 1 : n;
}

}  // namespace text
