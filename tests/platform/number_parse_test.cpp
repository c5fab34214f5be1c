// Tests of reading integers and booleans the way the Windows program's files are read.
#include "platform/number_parse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

constexpr std::optional<int32_t> kFails = std::nullopt;

// Decimal and hexadecimal limits, prefixes and layout.
TEST(ParseInt32, LimitsPrefixesAndLayout) {
  const struct {
    const char* Text;
    std::optional<int32_t> Expected;
  } cases[] = {
      {"0", 0},
      {"  129", 129},
      {"+5", 5},
      {"-17", -17},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", kFails},
      {"-2147483649", kFails},
      {"12 ", kFails},
      {"", kFails},
      {" ", kFails},
      {"\t1", kFails},
      {"-", kFails},
      {"--1", kFails},
      {"1.0", kFails},
      {"\xEF\xBC\x91", kFails},  // a full-width digit
      {"$a9", 169},
      {"xA0", 160},
      {"0XfF", 255},
      {"  0x20", 32},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"$000000001", 1},  // leading zeros do not count against the 32 bits
      {"-$1", -1},
      {"-0x10", -16},
      {"$100000000", kFails},
      {"$", kFails},
      {"0x", kFails},
      {"$G", kFails},
      {"$-1", kFails},
      {"00x1", kFails},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ParseInt32(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(ParseBool, NumbersAndWordsInAnyCase) {
  const struct {
    const char* Text;
    std::optional<bool> Expected;
  } cases[] = {
      {"0", false},       {"-1", true},         {"5", true},      {"$0", false},           {" 0", false},
      {"True", true},     {"tRuE", true},       {"FALSE", false}, {" True", std::nullopt}, {"Truex", std::nullopt},
      {"", std::nullopt}, {"0 ", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ParseBool(c.Text), c.Expected) << '"' << c.Text << '"';
}

}  // namespace
