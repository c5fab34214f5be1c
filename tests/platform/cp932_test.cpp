// Tests of the code page 932 conversions: Windows mappings, round trips, and damaged input that must not
// lose text, with the fuzz target's seeds.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

#include "fuzz/cp932_check.h"
#include "support/case_table.h"
#include "support/random_text.h"
#include "support/temp_dir.h"

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

using namespace test_support;

namespace {

// Both ways, and each damaged or unmappable piece as one "?" with the text around it kept.
TEST(Cp932Conversion, UsesTheWindowsMappingsAndBadInputBecomesQuestionMarks) {
  for (const TRow& row : Rows("platform.txt", "cp932")) {
    const std::string from = row.Text(1), to = row.Text(2);
    EXPECT_EQ(row[0] == "toutf8" ? Cp932ToUtf8(from) : Utf8ToCp932(from), to) << row.Where();
    if (row[0] == "both") {
      EXPECT_EQ(Cp932ToUtf8(to), from) << row.Where();
    }
  }
  // A view of part of a buffer: what follows it is no part of the text, even where it would complete it.
  EXPECT_EQ(Utf8ToCp932(std::string_view("x\xE3\x81\x82", 3)), "x?");
  EXPECT_EQ(Cp932ToUtf8(std::string_view("x\x82\xA0", 2)), "x?");
}

// Bytes below '?' are never part of a multi-byte character in either encoding, so both conversions must
// carry them over one for one, in order.
std::string LowBytes(const std::string& s) {
  std::string low;
  for (char c : s) {
    if (static_cast<unsigned char>(c) < '?') low += c;
  }
  return low;
}

// Random bytes, half of them drawn from the ones that trouble a converter: the fuzz property holds and
// nothing outside the damage is lost (run under the sanitizers too).
TEST(Cp932Conversion, RandomBytesKeepTheFuzzPropertyAndTheUndamagedText) {
  editor::test::TRandomText random(932);
  const char tricky[] = {'\x81', '\x82', '\x9F', '\xE0', '\xEE', '\xFC', '\xFD', '\xFF', '\x80', '\xA0',
                         '\0',   '\r',   '\n',   '\x40', '\x7E', '\x7F', '\xC2', '\xE3', '\xED', '\xF0'};
  for (int round = 0; round < 30000; ++round) {
    std::string bytes;
    for (int n = random.Below(65); n > 0; --n)
      bytes += random.Chance(50) ? random.Pick(tricky) : static_cast<char>(random.Below(256));
    ASSERT_EQ(fuzz::CheckCp932(bytes), "") << testing::PrintToString(bytes);
    ASSERT_EQ(LowBytes(Cp932ToUtf8(bytes)), LowBytes(bytes)) << testing::PrintToString(bytes);
    ASSERT_EQ(LowBytes(Utf8ToCp932(bytes)), LowBytes(bytes)) << testing::PrintToString(bytes);
  }
}

TEST(FuzzSeeds, Cp932SeedsHoldTheFuzzProperty) {
  const std::vector<std::string> seeds = FirstTexts("seeds.txt", "cp932");
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckCp932(seed), "") << testing::PrintToString(seed);
  WriteSeeds("cp932", seeds);
}

}  // namespace
