// Tests of reading integers and booleans the way the Windows program's files are read.
#include "platform/number_parse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

using platform::ParseBool;
using platform::ParseInt32;

namespace {

constexpr std::optional<int32_t> kFails = std::nullopt;

TEST(ParseInt32, DecimalLimitsAndLayout) {
  struct Case {
    const char* Text;
    std::optional<int32_t> Expected;
  };
  const Case cases[] = {
      {"0", 0},           {"123", 123},          {"  12", 12},        {"0012", 12},
      {"+5", 5},          {"-0", 0},             {"-17", -17},        {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},                {"2147483648", kFails},
      {"-2147483649", kFails},                   {"99999999999", kFails},
      {"12 ", kFails},    {"", kFails},          {" ", kFails},       {"\t1", kFails},
      {"-", kFails},      {"+", kFails},         {"- 1", kFails},     {"--1", kFails},
      {"1e3", kFails},    {"12a", kFails},       {"1.0", kFails},     {"\xEF\xBC\x91", kFails},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt32(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(ParseInt32, HexadecimalPrefixesAndBitPatterns) {
  struct Case {
    const char* Text;
    std::optional<int32_t> Expected;
  };
  const Case cases[] = {
      {"$FF", 255},       {"$ff", 255},         {"xFF", 255},          {"XFF", 255},
      {"0xFF", 255},      {"0XfF", 255},        {"  $20", 32},         {"0x20", 32},
      {"$FFFFFFFF", -1},  {"$80000000", INT32_MIN},                    {"$7FFFFFFF", INT32_MAX},
      {"$000000001", 1},  {"-$1", -1},          {"+$10", 16},          {"-0x10", -16},
      {"$100000000", kFails},                   {"$", kFails},         {"0x", kFails},
      {"x", kFails},      {"$G", kFails},       {"$-1", kFails},       {"0x0x1", kFails},
      {"$ 1", kFails},    {"$1 ", kFails},      {"00x1", kFails},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt32(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(ParseBool, NumbersAndWordsInAnyCase) {
  struct Case {
    const char* Text;
    std::optional<bool> Expected;
  };
  const Case cases[] = {
      {"0", false},        {"1", true},          {"-1", true},         {"5", true},
      {"$0", false},       {" 0", false},        {"True", true},       {"true", true},
      {"TRUE", true},      {"tRuE", true},       {"False", false},     {"FALSE", false},
      {" True", std::nullopt}, {"Truex", std::nullopt}, {"T", std::nullopt},
      {"yes", std::nullopt},   {"", std::nullopt},      {"0 ", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseBool(c.Text), c.Expected) << '"' << c.Text << '"';
}

}  // namespace
