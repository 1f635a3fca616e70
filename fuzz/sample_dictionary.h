#pragma once

#include <string_view>

#include "accents/accent_dictionary.h"

namespace fuzz {

// A few dozen words in small letters, code page 1252, for the targets whose input is only a
// text. Some plain words are entries too ("esta", "si"), so their accented forms never replace
// them; some words have accented forms at two places ("público", "publicó") but no plain one, so
// the leftmost vowel decides.
inline const accents::AccentDictionary& sample_dictionary() {
  static const accents::AccentDictionary dictionary = [] {
    // clang-format off
    constexpr std::string_view words[] = {
        "tambi\xE9n", "m\xE1s", "est\xE1", "esta", "s\xED", "si", "qu\xE9", "que", "canci\xF3n",
        "despu\xE9s", "autob\xFAs", "vendr\xE1", "ma\xF1" "ana", "\xE1rbol", "n\xFAmero", "f\xE1" "cil",
        "dif\xED" "cil", "\xFAltima", "tel\xE9" "fono", "m\xFAsica", "r\xE1pido", "pa\xEDs", "d\xED" "a",
        "hab\xED" "a", "aqu\xED", "as\xED", "adem\xE1s", "seg\xFAn", "oc\xE9" "ano", "cami\xF3n",
        "coraz\xF3n", "acci\xF3n", "ingl\xE9s", "\xE9l", "t\xFA", "m\xED", "p\xFA" "blico", "public\xF3",
        "t\xE9rmino", "termin\xF3", "e-mail", "o'neil",
    };
    // clang-format on
    accents::AccentDictionary d;
    for (std::string_view w : words) d.add(w);
    return d;
  }();
  return dictionary;
}

}  // namespace fuzz
