#include "text/case_conversion.h"

#include "text/ansi.h"
#include "text/char_classes.h"

namespace text {

std::string to_upper_case(std::string_view text) {
  std::string out(text);
  ansi_upper(out.data(), out.size());
  return out;
}

std::string to_lower_case(std::string_view text) {
  std::string out(text);
  ansi_lower(out.data(), out.size());
  return out;
}

std::string to_mixed_case(std::string_view text) {
  std::string out(text);
  bool capital = true;
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t n = ansi_char_length(out.data() + i, out.size() - i);
    if (capital)
      ansi_upper(out.data() + i, n);
    else
      ansi_lower(out.data() + i, n);
    capital = !ansi_is_alpha(out.data() + i, n);
    i += n;
  }
  return out;
}

std::string apply_case_style(std::string_view text, int style) {
  switch (style) {
    case case_style_capitalised: return to_mixed_case(text);
    case case_style_capitals: return to_upper_case(text);
    default: return to_lower_case(text);
  }
}

}  // namespace text
