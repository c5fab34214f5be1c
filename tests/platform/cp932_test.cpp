// Tests of the code page 932 conversions: Windows mappings, round trips, and damaged input that must not lose text.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

using platform::Cp932ToUtf8;
using platform::IsLeadByte;
using platform::Utf8ToCp932;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Cp932LeadByte, RangesEndExactlyAtTheirBounds) {
  for (int c = 0; c < 256; ++c) {
    bool expected = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(c)), expected) << c;
    EXPECT_EQ(IsLeadByte(static_cast<char>(c)), expected) << c;
  }
}

// Pairs that tell code page 932 apart from plain Shift-JIS, and the NEC and IBM extensions.
TEST(Cp932Conversion, UsesTheWindowsMappings) {
  struct Case {
    const char* Utf8;
    std::string Cp932;
  };
  const Case cases[] = {
      {"あ", Bytes({0x82, 0xA0})},           {"無題", Bytes({0x96, 0xB3, 0x91, 0xE8})},
      {"ｱ", Bytes({0xB1})},                  {"～", Bytes({0x81, 0x60})},
      {"－", Bytes({0x81, 0x7C})},           {"∥", Bytes({0x81, 0x61})},
      {"①", Bytes({0x87, 0x40})},           {"∑", Bytes({0x87, 0x94})},
      {"髙", Bytes({0xFB, 0xFC})},           {"ⅰ", Bytes({0xFA, 0x40})},
      {"\\~", "\\~"},                        {"ＭＳ ゴシック", "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp932(c.Utf8), c.Cp932) << c.Utf8;
    EXPECT_EQ(Cp932ToUtf8(c.Cp932), c.Utf8) << c.Utf8;
  }
  // The NEC-selected copies of the IBM extension decode to the same characters.
  EXPECT_EQ(Cp932ToUtf8(Bytes({0xEE, 0xE0})), "髙");
  EXPECT_EQ(Cp932ToUtf8(Bytes({0xED, 0x40})), "纊");
}

// Every pair that decodes comes back as the same character; single bytes come back byte for byte.
TEST(Cp932Conversion, EveryDecodableCharacterRoundTrips) {
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      std::string pair = Bytes({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
      std::string text = Cp932ToUtf8(pair);
      if (text == "?") continue;
      ++pairs;
      std::string back = Utf8ToCp932(text);
      ASSERT_EQ(back.size(), 2u) << std::hex << lead << " " << trail;
      EXPECT_EQ(Cp932ToUtf8(back), text) << std::hex << lead << " " << trail;
    }
  }
  // JIS X 0208, the NEC and IBM extensions and the user-defined area: far more than 7,000 pairs.
  EXPECT_GT(pairs, 9000);
  for (int c = 0; c < 256; ++c) {
    if (IsLeadByte(static_cast<unsigned char>(c)) || c == 0x80 || c == 0xA0 || c >= 0xFD) continue;
    std::string byte(1, static_cast<char>(c));
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(byte)), byte) << c;
  }
}

TEST(Cp932Conversion, EmbeddedNulsSurviveBothWays) {
  const std::string cp932("a\0\x82\xA0\0b", 6);
  const std::string utf8("a\0あ\0b", 7);
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(Utf8ToCp932(utf8), cp932);
}

TEST(Cp932Decoding, BadBytesBecomeOneQuestionMarkEachAndTheRestSurvives) {
  struct Case {
    std::string In;
    std::string Out;
  };
  const Case cases[] = {
      {"a\x80z", "a?z"},
      {"a\xA0z", "a?z"},
      {"\xFD\xFE\xFFz", "???z"},
      {"abc\x82", "abc?"},                          // lone lead byte at the end
      {std::string("\x82\0z", 3), std::string("?\0z", 3)},  // lead byte before NUL: the NUL stays
      {"\x82\r\nz", "?\r\nz"},                      // ... before a line break: the break stays
      {"\x82\x7F", "?\x7F"},
      {"\x82\x20\x82\xA0", "? あ"},
      {"\x85\x40z", "?z"},                          // unassigned pair: one "?" for both bytes
      {"\x85\x82\xA0", "??"},                       // unassigned pair, then a trail byte alone
  };
  for (const Case& c : cases) EXPECT_EQ(Cp932ToUtf8(c.In), c.Out) << testing::PrintToString(c.In);
}

TEST(Cp932Decoding, LongRunsKeepEveryCharacter) {
  // Half-width katakana triple in size; damaged bytes spread through the text must not cut it.
  std::string in;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    in += "\xB1\x80";
    expected += "ｱ?";
  }
  EXPECT_EQ(Cp932ToUtf8(in), expected);
}

TEST(Cp932Encoding, UnmappableAndMalformedInputBecomesOneQuestionMark) {
  struct Case {
    std::string In;
    std::string Out;
  };
  const Case cases[] = {
      {"a😀b", "a?b"},
      {"a\xF0\x9F\x98\x80\xF0\x9F\x98\x80z", "a??z"},
      {"€x", "?x"},                   // in code page 1252, not in 932
      {"a\xFF" "b", "a?b"},
      {"\x80z", "?z"},                // lone continuation byte
      {"\xE3\x81" "A", "?A"},         // truncated: the whole broken prefix is one "?"
      {"x\xE3\x81", "x?"},            // truncated at the end
      {"\xC0\xAF" "z", "??z"},        // overlong encodings are not characters
      {"\xED\xA0\x80z", "???z"},      // nor are surrogates
      {"\xF4\x90\x80\x80z", "????z"}, // nor anything past U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp932(c.In), c.Out) << testing::PrintToString(c.In);
}

TEST(Cp932Encoding, LongTextWithUnmappableCharactersKeepsItsLength) {
  std::string in;
  for (int i = 0; i < 20000; ++i) in += "あ😀";
  std::string out = Utf8ToCp932(in);
  ASSERT_EQ(out.size(), 60000u);
  EXPECT_EQ(out.substr(out.size() - 3), "\x82\xA0?");
}

}  // namespace
