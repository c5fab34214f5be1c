// Tests of the line rule and of joining lines with CR LF.
#include "platform/line_split.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using platform::JoinLinesCrLf;
using platform::SplitLines;
using Lines = std::vector<std::string>;

namespace {

TEST(SplitLines, FollowsTheLineRule) {
  const struct {
    std::string Text;
    Lines Expected;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\n", {"a"}},  // a final break starts no further line
      {"a\r\n\r\n", {"a", ""}},
      {"\r", {""}},
      {"\n\n", {"", ""}},
      {"a\r\r\nb", {"a", "", "b"}},        // lone CR, then CR LF
      {"a\n\rb", {"a", "", "b"}},          // LF CR is two breaks
      {std::string("a\0b\nc", 5), {"a"}},  // NUL ends the text
      {std::string("\0a", 2), {}},
      {std::string("a\r\n\0b", 5), {"a"}},
      {"\x82\xA0\r\n\x82\xA2", {"\x82\xA0", "\x82\xA2"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.Text), c.Expected) << testing::PrintToString(c.Text);
  EXPECT_EQ(JoinLinesCrLf({}), "");
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

// Whatever break style the text used, joining the lines and splitting again gives the same lines.
TEST(SplitLines, RandomTextsRoundTripThroughCrLf) {
  std::mt19937 random(20240131);
  const char alphabet[] = {'a', 'b', ' ', '\r', '\n', '\x82', '\xA0', '{', '$'};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (std::size_t size = random() % 40; size > 0; --size) text += alphabet[random() % sizeof alphabet];
    Lines lines = SplitLines(text);
    EXPECT_EQ(SplitLines(JoinLinesCrLf(lines)), lines) << testing::PrintToString(text);
    for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

// A file that uses one kind of break only (old Mac files use CR) must still be split in one pass.
TEST(SplitLines, LongSingleBreakStyleFiles) {
  for (const char* brk : {"\r", "\n", "\r\n"}) {
    std::string text;
    for (int i = 0; i < 300000; ++i) text += std::string("x") + brk;
    Lines lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 300000u) << testing::PrintToString(brk);
    EXPECT_EQ(lines.back(), "x");
  }
}

}  // namespace
