// Tests of reading integers and booleans the way the Windows program's files are read.
#include "platform/number_parse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "support/case_table.h"

namespace {

// Decimal and hexadecimal limits, prefixes and layout; booleans as numbers and words.
TEST(ParseNumbers, AsTheProgramsFilesWereAlwaysRead) {
  for (const test_support::TRow& row : test_support::Rows("platform.txt", "int")) {
    const std::optional<int32_t> expected = row[1] == "fail" ? std::nullopt : std::optional<int32_t>(row.Int(1));
    EXPECT_EQ(platform::ParseInt32(row.Text(0)), expected) << row.Where();
  }
  for (const test_support::TRow& row : test_support::Rows("platform.txt", "bool")) {
    const std::optional<bool> expected = row[1] == "fail" ? std::nullopt : std::optional<bool>(row.Int(1) != 0);
    EXPECT_EQ(platform::ParseBool(row.Text(0)), expected) << row.Where();
  }
}

}  // namespace
