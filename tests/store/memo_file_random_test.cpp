// Randomized tests of the data file: writer-to-reader round trips against a model of what comes back, a
// flood of malformed inputs, and the fuzz targets' seeds.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/memo_file_check.h"
#include "fuzz/settings_check.h"
#include "store_test_support.h"
#include "support/case_table.h"
#include "support/random_text.h"

namespace store {
namespace {

using namespace store_test;
using editor::test::TRandomText;

// Pieces that title and text bytes are made of: the bytes the format treats specially and double-byte
// characters, a 5C trail byte and lone lead bytes among them.
const std::string kTitlePieces[] = {
    "a",        "Z",    "\"",   "\"\"", ",",      " ", "  ",   "\t",      "\x96\xB3\x91\xE8",
    "\x95\x5C", "\x81", "\xFC", "0",    "{$END}", "'", "\x7F", "\xA0\xDF"};
const std::string kLinePieces[] = {"abc",      " ",    "\"",        ",",       "\x82\xA0",
                                   "\x83\x5C", "\x81", "{$BEGIN} ", " {$END}", "\t",
                                   "12",       "\xE0", "\x1A",      "xyz",     std::string(1, '\0')};
const std::string kBreaks[] = {"\r\n", "\r\n", "\r", "\n"};

std::string RandomText(TRandomText& random) {
  std::string text;
  for (int i = 0, lines = random.Below(10); i < lines; ++i) {
    if (i > 0) text += random.Pick(kBreaks);
    text += random.Glue(kLinePieces, 5);
    if (random.Chance(1)) text += random.Chance(50) ? "{$BEGIN}" : "{$END}";  // may make a marker line
  }
  if (random.Chance(30)) text += random.Pick(kBreaks);
  return text;
}

int32_t AnyInt32(TRandomText& random) {
  const int32_t edges[] = {INT32_MIN, INT32_MAX, -1, 0};
  if (random.Chance(30)) return random.Pick(edges);
  return random.Chance(50) ? random.Between(-150, 150) : random.Between(INT32_MIN, INT32_MAX);
}

TMemoData RandomPage(TRandomText& random) {
  const std::string digits[] = {"0", "1", "9"};
  TMemoData page;
  for (int32_t* number : {&page.Reserved0, &page.Reserved1, &page.Reserved2, &page.Reserved3, &page.Reserved4,
                          &page.Reserved5, &page.FontColor, &page.FontSize, &page.FontStyle, &page.Reserved6}) {
    *number = AnyInt32(random);
  }
  for (bool* flag : {&page.ReservedFlag1, &page.ReservedFlag2, &page.WordWrap}) *flag = random.Chance(50);
  for (std::string* name : {&page.Title, &page.FontName}) *name = random.Glue(kTitlePieces, 7);
  for (std::string* stamp : {&page.Created, &page.Updated}) *stamp = random.Glue(digits, 14);
  page.Text = RandomText(random);
  return page;
}

// What a text comes back as: every break CR LF, every NUL a space; and whether it holds a marker line.
std::string NormalizedText(std::string_view text, bool& markerLine) {
  std::string out, line;
  markerLine = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') {
      line += text[i] == '\0' ? ' ' : text[i];
      continue;
    }
    markerLine = markerLine || line == "{$BEGIN}" || line == "{$END}";
    out += line;
    line.clear();
    if (i == text.size()) break;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += "\r\n";
  }
  return out;
}

// Random page lists: what the writer takes reads back as the model says, and a page holding a marker line
// is refused. Then inputs the reader meets only from damaged or hand-edited files: random bytes, a soup of
// the format's tokens, and files the writer made in the walk, cut short, overwritten or spliced. Whatever
// the reader takes in, the writer writes out again, and that reads back whole to the same pages and bytes
// (the fuzz target's property). One huge line now and then must not take long.
TEST(MemoFileRandomTest, WrittenPageListsReadBackAndMalformedInputsKeepTheFuzzProperty) {
  TRandomText random(20240131);
  int saved = 0, refused = 0;
  std::vector<std::string> intact;  // the first 200 files with pages, for the malformed inputs
  for (int round = 0; round < 10000; ++round) {
    std::vector<TMemoData> pages(static_cast<std::size_t>(random.Below(6)));
    for (TMemoData& page : pages) page = RandomPage(random);
    std::vector<TMemoData> expected = pages;
    int32_t expectedBad = -1;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      bool marker = false;
      expected[i].Reserved0 = 0;
      expected[i].Text = NormalizedText(expected[i].Text, marker);
      if (expectedBad < 0 && marker) expectedBad = static_cast<int32_t>(i);
    }
    std::string bytes;
    int32_t badIndex = -2;
    const TSaveResult result = BuildMemoFile(pages, bytes, badIndex);
    ASSERT_EQ(badIndex, expectedBad) << "round " << round;
    if (expectedBad >= 0) {
      ASSERT_EQ(result, SaveBadText);
      ++refused;
      continue;
    }
    ASSERT_EQ(result, SaveOk);
    // Every line ends with CR LF, whatever breaks the texts used (the reader would accept lone ones).
    bool ignored = false;
    ASSERT_EQ(NormalizedText(bytes, ignored), bytes) << "round " << round;
    std::vector<TMemoData> back;
    bool complete = false;
    ASSERT_TRUE(ParseMemoFile(bytes, back, complete)) << "round " << round;
    ASSERT_TRUE(complete) << "round " << round;
    ASSERT_EQ(back, expected) << "round " << round;
    ++saved;
    if (!pages.empty() && intact.size() < 200) intact.push_back(bytes);
  }
  // Both outcomes must really have been exercised.
  EXPECT_GT(saved, 8000);
  EXPECT_GT(refused, 50);
  ASSERT_EQ(intact.size(), 200u);

  const std::string header = FileOf("<H>|"), oldHeader = FileOf("<O>|");
  const std::string tokens[] = {
      "{$BEGIN}\r\n", "{$END}\r\n", "\r\n", "\r", "\n",   std::string(1, '\0'), "\"",   ",",      " ",
      "-1",           "$7FFFFFFF",  "True", "x",  "\x81", "\x82\xA0",           header, oldHeader};
  const std::string damage[] = {"{$BEGIN}\r\n", "{$END}\r\n", std::string(1, '\0'), "\r", "\n", "\"", ",", "\x81"};
  for (int index = 0; index < 30000; ++index) {
    std::string bytes;
    if (index % 10000 == 0) {
      bytes = "{$BEGIN}\r\n\"" + std::string(1 << 20, random.Chance(50) ? ',' : 'a') + "\r\n" +
              std::string(1 << 20, '\x81');
    } else if (random.Chance(25)) {
      for (int n = random.Below(200); n > 0; --n) bytes += static_cast<char>(random.Below(256));
    } else if (random.Chance(33)) {
      bytes = random.Glue(tokens, 40);
    } else {
      bytes = random.Pick(intact);
      for (int n = 1 + random.Below(4); n > 0; --n) {
        const auto at = static_cast<std::size_t>(random.Below(static_cast<int>(bytes.size()) + 1));
        if (random.Chance(30))
          bytes.resize(at);
        else if (random.Chance(50) && at < bytes.size())
          bytes[at] = static_cast<char>(random.Below(256));
        else
          bytes.insert(at, random.Pick(damage));
      }
    }
    ASSERT_EQ(fuzz::CheckMemoFile(bytes), "") << "input " << index;
  }
}

// The seeds of both targets, from the table.
TEST(FuzzSeeds, DataFileAndSettingsSeedsHoldTheFuzzProperties) {
  const std::vector<std::string> memoSeeds = test_support::FirstTexts("seeds.txt", "memo_file");
  for (const std::string& seed : memoSeeds) EXPECT_EQ(fuzz::CheckMemoFile(seed), "") << testing::PrintToString(seed);
  const std::vector<std::string> settingsSeeds = test_support::FirstTexts("seeds.txt", "settings");
  for (const std::string& seed : settingsSeeds)
    EXPECT_EQ(fuzz::CheckSettings(seed), "") << testing::PrintToString(seed);
  WriteSeeds("memo_file", memoSeeds);
  WriteSeeds("settings", settingsSeeds);
}

}  // namespace
}  // namespace store
