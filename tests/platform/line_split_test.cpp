// Tests of the line rule and of joining lines with CR LF.
#include "platform/line_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_table.h"
#include "support/random_text.h"

using platform::JoinLinesCrLf;
using platform::SplitLines;
using Lines = std::vector<std::string>;

namespace {

TEST(SplitLines, FollowsTheLineRule) {
  for (const test_support::TRow& row : test_support::Rows("platform.txt", "lines")) {
    Lines expected;
    for (std::size_t i = 1; i < row.Size(); ++i) expected.push_back(row.Text(i));
    EXPECT_EQ(SplitLines(row.Text(0)), expected) << row.Where();
  }
  EXPECT_EQ(JoinLinesCrLf({}), "");
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

// The rule one byte at a time: the model the random texts are checked against.
Lines ModelSplit(std::string text) {
  text = text.substr(0, text.find('\0'));
  Lines lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      lines.back() += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.emplace_back();
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

// Random texts split as the model splits them, the copy-free walk sees as many lines, and the lines
// joined with CR LF split back into the same lines.
TEST(SplitLines, RandomTextsFollowTheModelAndRoundTripThroughCrLf) {
  editor::test::TRandomText random(20240131);
  const std::string pieces[] = {"a", "b", " ", "\r", "\n", "\r\n", "\x82\xA0"};
  for (int round = 0; round < 3000; ++round) {
    const std::string text = random.Glue(pieces, 30);
    const Lines lines = SplitLines(text);
    ASSERT_EQ(lines, ModelSplit(text)) << testing::PrintToString(text);
    EXPECT_EQ(platform::ForEachLine(text, [](std::string_view) {}), lines.size());
    EXPECT_EQ(SplitLines(JoinLinesCrLf(lines)), lines) << testing::PrintToString(text);
  }
}

}  // namespace
