// The seed corpus of the code page 932 fuzz target: texts that reach the converters' corners, each already
// holding the property the target checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/cp932_check.h"
#include "platform/temp_dir.h"

namespace {

TEST(FuzzSeeds, Cp932SeedsHoldTheFuzzProperty) {
  const std::vector<std::string> seeds = {
      "plain ASCII\r\n",
      "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",  // こんにちは
      "\x87\x40\xED\x40\xFA\x40",                  // NEC and IBM extensions
      "\x80\xA0\xFD\xFE\xFF\x81",                  // bytes no character uses, and a lone lead byte
      "\xB1\xB2\xB3",                              // half-width katakana
      "\xE3\x81\x82\xF0\x9F\x98\x80\xE2\x82\xAC",  // UTF-8: あ, an emoji, the euro sign
      "\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80",      // malformed UTF-8
      std::string("a\0b", 3),
  };
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckCp932(seed), "") << testing::PrintToString(seed);
  platform_test::WriteSeeds("cp932", seeds);
}

}  // namespace
