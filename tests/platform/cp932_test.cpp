// Tests of the code page 932 conversions: Windows mappings, round trips, and damaged input that must not lose text.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

using platform::Cp932ToUtf8;
using platform::IsLeadByte;
using platform::Utf8ToCp932;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Pairs that tell code page 932 apart from plain Shift-JIS, the NEC and IBM extensions, the first lead
// byte of each range, and NULs, which the file formats carry inside texts.
TEST(Cp932Conversion, UsesTheWindowsMappingsBothWays) {
  const struct {
    std::string Utf8;
    std::string Cp932;
  } cases[] = {
      {"あ", Bytes({0x82, 0xA0})},
      {"無題", Bytes({0x96, 0xB3, 0x91, 0xE8})},
      {"ｱ", Bytes({0xB1})},
      {"～", Bytes({0x81, 0x60})},
      {"－", Bytes({0x81, 0x7C})},
      {"∥", Bytes({0x81, 0x61})},
      {"①", Bytes({0x87, 0x40})},
      {"∑", Bytes({0x87, 0x94})},
      {"髙", Bytes({0xFB, 0xFC})},
      {"ⅰ", Bytes({0xFA, 0x40})},
      {"檗", Bytes({0x9F, 0x40})},
      {"漾", Bytes({0xE0, 0x40})},
      {"黑", Bytes({0xFC, 0x4B})},
      {"\\~", "\\~"},
      {std::string("a\0あ\0b", 7), std::string("a\0\x82\xA0\0b", 6)},
  };
  for (const auto& c : cases) {
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
      std::string text = Cp932ToUtf8(Bytes({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)}));
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

// Each damaged or unmappable piece becomes one "?" and the text around it survives.
TEST(Cp932Conversion, BadInputBecomesQuestionMarksAndTheRestSurvives) {
  const struct {
    std::string (*Convert)(std::string_view);
    std::string In;
    std::string Out;
  } cases[] = {
      {Cp932ToUtf8, "a\x80z", "a?z"},
      {Cp932ToUtf8, "a\xA0z", "a?z"},
      {Cp932ToUtf8, "\xFD\xFE\xFFz", "???z"},                            // no lead bytes
      {Cp932ToUtf8, "abc\x82", "abc?"},                                  // lone lead byte at the end
      {Cp932ToUtf8, std::string("\x82\0z", 3), std::string("?\0z", 3)},  // ... before NUL: the NUL stays
      {Cp932ToUtf8, "\x82\r\nz", "?\r\nz"},                              // ... before a break: it stays
      {Cp932ToUtf8, "\x82\x7F", "?\x7F"},
      {Cp932ToUtf8, "\x82\x20\x82\xA0", "? あ"},
      {Cp932ToUtf8, "\x85\x40z", "?z"},     // unassigned pair: one "?"
      {Cp932ToUtf8, "\x85\x82\xA0", "??"},  // ... then a trail byte alone
      {Utf8ToCp932, "a😀b", "a?b"},
      {Utf8ToCp932, "a\xF0\x9F\x98\x80\xF0\x9F\x98\x80z", "a??z"},
      {Utf8ToCp932, "€x", "?x"},  // in code page 1252, not in 932
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
}

// Output that grows (half-width katakana triples in size) or shrinks must not be cut or padded.
TEST(Cp932Conversion, LongTextsWithDamageKeepEveryCharacter) {
  std::string cp932, utf8, withEmoji;
  for (int i = 0; i < 20000; ++i) {
    cp932 += "\xB1\x80";
    utf8 += "ｱ?";
    withEmoji += "あ😀";
  }
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
  std::string out = Utf8ToCp932(withEmoji);
  ASSERT_EQ(out.size(), 60000u);
  EXPECT_EQ(out.substr(out.size() - 3), "\x82\xA0?");
}

}  // namespace
