#include "text/ansi.h"

#include "text/code_page_1252.h"

namespace text {

void ansi_upper(char* bytes, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    bytes[i] = static_cast<char>(cp1252::to_upper(static_cast<unsigned char>(bytes[i])));
}

void ansi_lower(char* bytes, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    bytes[i] = static_cast<char>(cp1252::to_lower(static_cast<unsigned char>(bytes[i])));
}

bool ansi_is_alpha(const char* bytes, std::size_t length) {
  return length > 0 && cp1252::is_alpha(static_cast<unsigned char>(bytes[0]));
}

std::size_t ansi_char_length(const char*, std::size_t remaining) { return remaining > 0 ? 1 : 0; }

}  // namespace text
