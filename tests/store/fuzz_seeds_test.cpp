// The seed corpus of the data-file and settings fuzz targets: files that reach the formats' corners,
// each already holding the property its fuzz target checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/memo_file_check.h"
#include "fuzz/settings_check.h"
#include "store_test_support.h"

namespace store {
namespace {

std::vector<std::string> MemoFileSeeds() {
  TMemoData quoted = store_test::PageWithText("first line\r\nsecond\r\n");
  quoted.Title = "a\"b, c";
  quoted.FontName = "\x82\x6C\x82\x72 \x83\x53";
  quoted.Created = "20240131235959";
  const std::string written = store_test::Build({quoted, store_test::PageWithText(""), store_test::PageWithText("x")});
  const std::string header = "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2";
  return {
      written,
      std::string(kCommentLine) + "\r\n\r\n",
      "{$BEGIN}\r\n0,\"t\",0,0,0,0,-1,0,16777215,0,\"f\",10,0,0,1,2\r\nold header\r\n{$END}\r\n",
      "{$BEGIN}\r\n" + header + "\r\n{$END}\r\nmore\r\n{$END}\r\nafter\r\n",
      "junk\n{$BEGIN}\r 0 , \"t\" ,1,$FF,0x10,4, true ,False,5,6,7,\"f\",8,9,-3,a,b\nlone\rbreaks\n{$END}",
      std::string(40, '\0') + written.substr(40),
      written.substr(0, written.size() / 2),
      "{$BEGIN}\r\n\"unpaired,\x81\r\n\x81\r\n{$END}\r\n{$BEGIN}\r\n",
  };
}

std::vector<std::string> SettingsSeeds() {
  return {
      "[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\nLeft=247\r\nTop=142\r\nWidth=352\r\nHeight=355\r\nWindowShade=0\r\n"
      "AlwaysOnTop=0\r\nAlphaBlend=255\r\nHotKey=Alt+Ctrl+M\r\nResident=0\r\nWordWrap=0\r\nFontColor=0\r\n"
      "FontName=\x82\x6C\x82\x72 \x83\x53\r\nFontSize=10\r\nFontStyle=0\r\n",
      "; mine\r\n[Other]\r\nLeft=1\r\n[tacknote]\r\nalphablend=300\r\nResident=5\r\nLeft=0x20\r\nTop=$20\r\n"
      "Width=abc\r\n[TACKNOTE]\r\nLeft=9\r\n",
      "[TACKNOTE]\nFontName=\" spaced \"\rHotKey='q'\nSkinFile=\"\"x\"\"\n[",
      "[TACKNOTE]\r\nFontName=" + std::string(3000, '\x82') + "\r\nLeft=  -7\r\n",
      std::string("[TACKNOTE]\r\nSkinFile=a\0b\r\nx", 27),
  };
}

TEST(FuzzSeeds, DataFileSeedsHoldTheFuzzProperty) {
  const std::vector<std::string> seeds = MemoFileSeeds();
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckMemoFile(seed), "") << testing::PrintToString(seed);
  platform_test::WriteSeeds("memo_file", seeds);
}

TEST(FuzzSeeds, SettingsSeedsHoldTheFuzzProperty) {
  const std::vector<std::string> seeds = SettingsSeeds();
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckSettings(seed), "") << testing::PrintToString(seed);
  platform_test::WriteSeeds("settings", seeds);
}

}  // namespace
}  // namespace store
