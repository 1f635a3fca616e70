#include "text/tokens.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "text/char_classes.h"

namespace {

using Strings = std::vector<std::string>;

Strings as_strings(const text::Tokens& tokens) { return {tokens.begin(), tokens.end()}; }

TEST(Tokens, SplitTextExamples) {
  // clang-format off
  const struct {
    std::string text;
    Strings tokens;
  } cases[] = {
      {"", {}},
      {"Hola, mundo.", {"Hola", ",", " ", "mundo", "."}},
      {"  ", {" ", " "}},
      {"a\xF1o2020", {"a\xF1o", "2", "0", "2", "0"}},
      {"rock-and-roll l'amour", {"rock-and-roll", " ", "l'amour"}},
      {"seg\xFAn\r\nya", {"seg\xFAn", "\r", "\n", "ya"}},
      {"\xBF" "Qu\xE9?", {"\xBF", "Qu\xE9", "?"}},
      {"\x97Hola\xA0" "dijo\x97", {"\x97", "Hola", "\xA0", "dijo", "\x97"}},
      {std::string(300, 'x') + " y", {std::string(300, 'x'), " ", "y"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(as_strings(text::split_text(c.text)), c.tokens);
  }
}

TEST(Tokens, EveryByteLandsInExactlyOneTokenOnRandomTexts) {
  std::mt19937 random(4);
  // Long enough for words to run from one 64-byte block of for_each_word into the next.
  for (int round = 0; round < 400; ++round) {
    std::string text(random() % 200, '\0');
    for (char& c : text) c = static_cast<char>(random() % 3 ? "ab \xE1.\r"[random() % 6] : random() % 256);
    SCOPED_TRACE(text);
    const text::Tokens tokens = text::split_text(text);
    std::string joined;
    bool previous_was_word = false;
    for (auto it = tokens.begin(); it != tokens.end(); ++it) {
      const std::string_view token = *it;
      ASSERT_FALSE(token.empty());
      EXPECT_EQ(it.offset(), joined.size());
      if (text::is_separator(token)) {
        EXPECT_EQ(token.size(), 1u);
        previous_was_word = false;
      } else {
        for (char c : token) EXPECT_FALSE(text::is_separator_byte(static_cast<unsigned char>(c)));
        // Word tokens are maximal: two never follow each other.
        EXPECT_FALSE(previous_was_word);
        previous_was_word = true;
      }
      joined += token;
    }
    EXPECT_EQ(joined, text);

    Strings words, word_tokens;
    text::for_each_word(text,
                        [&](std::size_t offset, std::size_t length) { words.push_back(text.substr(offset, length)); });
    for (const std::string_view token : tokens)
      if (!text::is_separator(token)) word_tokens.emplace_back(token);
    EXPECT_EQ(words, word_tokens);
  }
}

// for_each_word reads 64 bytes at a time: words that start, end or run on at the edges of those
// blocks, or fill them whole.
TEST(Tokens, WordsAtTheEdgesOfBlocks) {
  for (const std::size_t before : {0u, 1u, 62u, 63u, 64u, 65u}) {
    for (const std::size_t size : {1u, 2u, 63u, 64u, 65u, 128u, 129u, 200u}) {
      for (const std::string_view after : {"", " ", " b", ".\xE1"}) {
        const std::string text = std::string(before, ' ') + std::string(size, 'a') + std::string(after);
        SCOPED_TRACE(testing::Message() << before << " " << size << " \"" << after << "\"");
        std::vector<std::pair<std::size_t, std::size_t>> words, expected{{before, size}};
        if (after.size() == 2) expected.emplace_back(before + size + 1, 1);
        text::for_each_word(text, [&](std::size_t offset, std::size_t length) { words.emplace_back(offset, length); });
        EXPECT_EQ(words, expected);
      }
    }
  }
}

// Every byte value, in sixteen-byte pieces of letters and of separators, found as split_text
// finds it.
TEST(Tokens, EveryByteValueInsideWordsAndBetweenThem) {
  for (int b = 0; b < 256; ++b) {
    for (const std::string_view around : {"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\xF1\xE1\xC0\xFF",
                                          "a, b. c; d: 0 1\r\n? (x) \"y\" ! z"}) {
      std::string text(around);
      text += text;
      text += text;
      for (const std::size_t at : {0u, 7u, 15u, 16u, 40u, 63u, 64u}) {
        std::string changed = text;
        changed[at] = static_cast<char>(b);
        SCOPED_TRACE(testing::Message() << "byte " << b << " at " << at << " in " << around);
        Strings words, word_tokens;
        text::for_each_word(
            changed, [&](std::size_t offset, std::size_t length) { words.push_back(changed.substr(offset, length)); });
        for (const std::string_view token : text::split_text(changed))
          if (!text::is_separator(token)) word_tokens.emplace_back(token);
        ASSERT_EQ(words, word_tokens);
      }
    }
  }
}

}  // namespace
