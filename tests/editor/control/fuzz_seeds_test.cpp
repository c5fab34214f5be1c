// The seed corpora of the tokenizer and editor fuzz targets: random programs, which must already hold the
// properties the targets check, so the tests run the properties too.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fuzz/editor_check.h"
#include "fuzz/tokenizer_check.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> RandomPrograms(std::uint32_t seed, int count, std::size_t length) {
  std::mt19937 random(seed);
  std::vector<std::string> programs;
  for (int i = 0; i < count; ++i) {
    std::string program;
    for (std::size_t b = 0; b < length; ++b) program += static_cast<char>(random() & 0xFF);
    programs.push_back(program);
  }
  return programs;
}

// The tokenizer's seeds, and inputs the fuzz target once failed on, minimized and kept so the faults stay fixed.
TEST(FuzzSeeds, TokenizerSeedsAndInputsFoundByFuzzingHoldTheFuzzProperty) {
  using namespace std::string_literals;
  std::vector<std::string> seeds = RandomPrograms(17, 200, 160);
  test_support::WriteSeeds("tokenizer", std::vector<std::string>(seeds.begin(), seeds.begin() + 20));
  // Every rule, word wrap at 23 bytes, one word of Kanji over three rows: deleting the last row
  // leaves the row before it ending the text, so the word now ends in it.
  seeds.push_back(
      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x09\xFF\xFF\x93\x93\x93\x93\x93\x93"
      "\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93\x93"
      "\x93\x93\x93\x93\x93\x9C\x45\xFF\xFF\x01\x00\x00\x00\xFF\xFF\xFF"
      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xB2\xFF\xFF\xFF\xD5\xD5\xFF"
      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xB2\xFF"s);
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckTokenizer(seed), "") << testing::PrintToString(seed);
}

TEST(FuzzSeeds, EditorSeedsHoldTheFuzzProperty) {
  const std::vector<std::string> seeds = RandomPrograms(23, 300, 160);
  for (const std::string& seed : seeds) ASSERT_EQ(fuzz::CheckEditor(seed), "") << testing::PrintToString(seed);
  test_support::WriteSeeds("editor", std::vector<std::string>(seeds.begin(), seeds.begin() + 20));
}

}  // namespace
