#include "tools/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

tools::CommandLine parse(std::vector<const char*> args) {
  args.insert(args.begin(), "tool");
  return tools::parse_command_line(static_cast<int>(args.size()), args.data(), {"--ranks", "--margin"}, {"--tune"});
}

TEST(ToolCommandLine, OptionsFlagsAndPositionalInAnyOrder) {
  const auto line = parse({"words.txt", "--ranks", "a.txt", "--tune", "out.log", "--ranks", "b.txt", "--margin", "3"});
  ASSERT_FALSE(line.error);
  EXPECT_EQ(line.positional, (std::vector<std::string>{"words.txt", "out.log"}));
  EXPECT_EQ(line.all("--ranks"), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(line.value("--ranks"), "b.txt");
  EXPECT_EQ(line.value("--margin"), "3");
  EXPECT_TRUE(line.has("--tune"));
  EXPECT_FALSE(line.has("--choices"));
  EXPECT_EQ(line.value("--choices", "none"), "none");
  EXPECT_TRUE(line.all("--choices").empty());
}

TEST(ToolCommandLine, Errors) {
  for (const auto& args : {std::vector<const char*>{"--margin"}, {"a", "--bogus"}, {"--tune", "--ranks"}}) {
    SCOPED_TRACE(args.back());
    EXPECT_TRUE(parse(args).error);
  }
  EXPECT_FALSE(parse({}).error);
  EXPECT_EQ(parse({"--margin", "--tune"}).value("--margin"), "--tune");  // a value may look like an option
}

TEST(ToolCommandLine, Numbers) {
  EXPECT_EQ(tools::parse_number("3"), 3.0);
  EXPECT_EQ(tools::parse_number("0.5"), 0.5);
  for (const char* bad : {"", "x", "3x", " 3", "3 "}) EXPECT_FALSE(tools::parse_number(bad)) << bad;
}

}  // namespace
