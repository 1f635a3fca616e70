// Arbitrary bytes as a context model file: the loader refuses what is not well formed, and with
// a model it takes, restoration keeps its promises: only plain vowels become acute ones, at most
// one in a word, and n and u their ñ and ü, in their own case; the corrections count the words
// changed, and a restored text restored again stays as it is. The input's first two bytes (little-endian) give the length of the text that
// follows them; the rest is the model file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "accents/accent_restoration.h"
#include "accents/context_model.h"
#include "fuzz/check.h"
#include "fuzz/restoration_check.h"
#include "text/code_page_text.h"
#include "text/tokens.h"

namespace {

accents::AccentDictionary small_dictionary() {
  accents::AccentDictionary d;
  for (const char* w : {"esta", "est\xE1", "\xE9sta", "que", "qu\xE9", "como", "c\xF3mo", "cami\xF3n", "el", "\xE9l"})
    d.add(w);
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t text_size = std::min<std::size_t>(data[0] | std::size_t{data[1]} << 8, size - 2);
  const std::string text(reinterpret_cast<const char*>(data) + 2, text_size);
  const auto model = accents::ContextModel::load(std::span(data + 2 + text_size, size - 2 - text_size));
  if (!model) return 0;
  FUZZ_CHECK(!model->empty());

  static const accents::AccentDictionary dictionary = small_dictionary();
  const text::CodePageText before{text, {}, {}};
  text::CodePageText after = before;
  accents::AccentCorrections corrections;
  accents::AccentRestorer(dictionary, &*model).restore(after, corrections);
  FUZZ_CHECK(after.text.size() == before.text.size());
  std::int64_t changed_words = 0;
  text::for_each_word(before.text, [&](std::size_t offset, std::size_t length) {
    std::size_t accents = 0, marks = 0;
    for (std::size_t i = offset; i < offset + length; ++i) {
      if (after.text[i] == before.text[i]) continue;
      if (after.text[i] == fuzz::acute_of(before.text[i])) {
        ++accents;
        continue;
      }
      const std::string_view plain = "nNuU", marked = "\xF1\xD1\xFC\xDC";
      const std::size_t k = plain.find(before.text[i]);
      FUZZ_CHECK(k != std::string_view::npos && after.text[i] == marked[k]);
      ++marks;
    }
    FUZZ_CHECK(accents <= 1);
    changed_words += accents + marks > 0;
  });
  // Separators never change.
  for (std::size_t i = 0; i < before.text.size(); ++i)
    if (text::is_separator_byte(static_cast<unsigned char>(before.text[i])))
      FUZZ_CHECK(after.text[i] == before.text[i]);
  FUZZ_CHECK(corrections.count == changed_words);

  text::CodePageText again = after;
  accents::AccentCorrections none;
  accents::AccentRestorer(dictionary, &*model).restore(again, none);
  FUZZ_CHECK(again.text == after.text);
  FUZZ_CHECK(none.count == 0);
  return 0;
}
