// Tests of the code page 932 conversions: Windows mappings, round trips, and damaged input that must not
// lose text, with the fuzz target's seeds.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

#include "fuzz/cp932_check.h"
#include "support/random_text.h"
#include "support/temp_dir.h"

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

using namespace test_support;

namespace {

// Pairs that tell code page 932 apart from plain Shift-JIS, the NEC and IBM extensions, the first lead
// byte of each range, and NULs, which the file formats carry inside texts.
TEST(Cp932Conversion, UsesTheWindowsMappingsBothWays) {
  const struct {
    std::string Utf8, Cp932;
  } cases[] = {
      {"あ", "\x82\xA0"},
      {"無題", "\x96\xB3\x91\xE8"},
      {"ｱ", "\xB1"},
      {"～", "\x81\x60"},
      {"－", "\x81\x7C"},
      {"∥", "\x81\x61"},
      {"÷", "\x81\x80"},  // 0x80 as a trail byte
      {"①", "\x87\x40"},
      {"∑", "\x87\x94"},
      {"髙", "\xFB\xFC"},
      {"ⅰ", "\xFA\x40"},
      {"檗", "\x9F\x40"},
      {"漾", "\xE0\x40"},
      {"黑", "\xFC\x4B"},
      {"\\~", "\\~"},
      {std::string("a\0あ\0b", 7), std::string("a\0\x82\xA0\0b", 6)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp932(c.Utf8), c.Cp932) << c.Utf8;
    EXPECT_EQ(Cp932ToUtf8(c.Cp932), c.Utf8) << c.Utf8;
  }
  // The NEC-selected copies of the IBM extension decode to the same characters.
  EXPECT_EQ(Cp932ToUtf8("\xEE\xE0\xED\x40"), "髙纊");
}

// Each damaged or unmappable piece becomes one "?" and the text around it survives.
TEST(Cp932Conversion, BadInputBecomesQuestionMarksAndTheRestSurvives) {
  const struct {
    std::string (*Convert)(std::string_view);
    std::string In, Out;
  } cases[] = {
      {Cp932ToUtf8, "a\x80z", "a?z"},
      {Cp932ToUtf8, "a\xA0z", "a?z"},
      {Cp932ToUtf8, "\xFD\xFE\xFFz", "???z"},                            // no lead bytes
      {Cp932ToUtf8, "abc\x82", "abc?"},                                  // lone lead byte at the end
      {Cp932ToUtf8, std::string("\x82\0z", 3), std::string("?\0z", 3)},  // ... before NUL: the NUL stays
      {Cp932ToUtf8, "\x82\r\nz", "?\r\nz"},                              // ... before a break: it stays
      {Cp932ToUtf8, "\x82\x7F", "?\x7F"},
      {Cp932ToUtf8, "\x82\x20\x82\xA0", "? あ"},
      {Cp932ToUtf8, "\x85\x40z", "?z"},                    // unassigned pair: one "?"
      {Cp932ToUtf8, "\x85\x7E\x85\x80\x85\xFCz", "???z"},  // ... the trail bytes at the edges of their ranges
      {Cp932ToUtf8, "a\x85\x40", "a?"},                    // ... also at the very end of the text
      {Cp932ToUtf8, "\x85\x82\xA0", "??"},                 // ... then a trail byte alone
      {Utf8ToCp932, "a😀b", "a?b"},
      {Utf8ToCp932, "a\xF0\x9F\x98\x80\xF0\x9F\x98\x80z", "a??z"},
      {Utf8ToCp932, "€x", "?x"},       // in code page 1252, not in 932
      {Utf8ToCp932, "€\x80z", "??z"},  // a stray continuation byte after it is a piece of its own
      {Utf8ToCp932,
       "a\xFF"
       "b",
       "a?b"},
      {Utf8ToCp932, "\x80z", "?z"},  // lone continuation byte
      {Utf8ToCp932,
       "\xE3\x81"
       "A",
       "?A"},                            // truncated: one "?" for the prefix
      {Utf8ToCp932, "x\xE3\x81", "x?"},  // ... at the end
      {Utf8ToCp932,
       "\xC0\xAF"
       "z",
       "??z"},                                      // overlong forms are no characters
      {Utf8ToCp932, "\xED\xA0\x80z", "???z"},       // nor are surrogates
      {Utf8ToCp932, "\xF4\x90\x80\x80z", "????z"},  // nor anything past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(c.Convert(c.In), c.Out) << testing::PrintToString(c.In);
  // A view of part of a buffer: what follows it is no part of the text, even where it would complete it.
  EXPECT_EQ(Utf8ToCp932(std::string_view("x\xE3\x81\x82", 3)), "x?");
  EXPECT_EQ(Cp932ToUtf8(std::string_view("x\x82\xA0", 2)), "x?");
}

// Output that grows (half-width katakana triples in size) or shrinks must not be cut or padded, and a
// long text is converted in pieces that never cut a character.
TEST(Cp932Conversion, LongTextsWithDamageKeepEveryCharacter) {
  std::string cp932, utf8, clean, cleanEncoded, withEmoji, encoded;
  for (int i = 0; i < 20000; ++i) {
    cp932 += "\xB1\x80";
    utf8 += "ｱ?";
    clean += "あ";
    cleanEncoded += "\x82\xA0";
    withEmoji += "あ😀";
    encoded += "\x82\xA0?";
  }
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(Utf8ToCp932(withEmoji), encoded);
  EXPECT_EQ(Utf8ToCp932(clean), cleanEncoded);  // pieces are cut only where a character starts
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
  WriteSeeds("cp932", seeds);
}

}  // namespace
