#pragma once

#include <string>
#include <string_view>

// Capitalisation of code page (ANSI) text through the platform's case mapping. Every
// conversion returns a text of exactly the input's length.

namespace text {

std::string to_upper_case(std::string_view text);
std::string to_lower_case(std::string_view text);

// Each letter that starts the text or follows a non-letter becomes a capital, every other
// letter small. Any non-letter (digits and the apostrophe too) starts a new word.
std::string to_mixed_case(std::string_view text);

// 1 small letters, 2 mixed case, 3 capitals; any other style gives small letters.
std::string apply_case_style(std::string_view text, int style);

}  // namespace text
