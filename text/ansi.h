#pragma once

#include <cstddef>

// The platform's ANSI case mapping and character types. On Windows these are the system
// calls (CharUpperBuffA, CharLowerBuffA, GetStringTypeA, CharNextA) for the system ANSI code
// page; elsewhere they are the code page 1252 tables of code_page_1252.h.

namespace text {

void ansi_upper(char* bytes, std::size_t length);
void ansi_lower(char* bytes, std::size_t length);

// True when the character at bytes[0 .. length) is a letter (C1_ALPHA).
bool ansi_is_alpha(const char* bytes, std::size_t length);

// Length in bytes of the character that starts at bytes[0], at most `remaining` and at least 1
// (a zero byte is one character of one byte).
std::size_t ansi_char_length(const char* bytes, std::size_t remaining);

}  // namespace text
