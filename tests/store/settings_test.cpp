// Tests of the settings file: defaults, value forms, the write order, kept lines and failed saves.
#include "store/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "store_test_support.h"

namespace store {
namespace {

using namespace store_test;

class SettingsTest : public StoreTest {
 protected:
  TSettings FWindow;
  TMemoData FMemo = BuiltInDefaultMemo();

  void Load(const std::string& fileText) {
    WriteBytes(FIni, fileText);
    ASSERT_TRUE(LoadSettings(FIni, FWindow, FMemo).Ok);
  }
};

// A missing file keeps every default, and nothing is written until a save, whose fresh file lists the keys
// in write order.
TEST_F(SettingsTest, MissingFileKeepsEveryDefaultAndAFreshFileListsTheKeysInWriteOrder) {
  FWindow.Left = 5;  // the window's value at that moment is the default
  FMemo.FontSize = 13;
  ASSERT_TRUE(LoadSettings(FIni, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow, (TSettings{"DEFAULT.BMP", "Alt+Ctrl+M", false, 5, 142, 352, 355, false, false, 255}));
  TMemoData expected = BuiltInDefaultMemo();
  expected.FontSize = 13;
  EXPECT_EQ(FMemo, expected);
  EXPECT_TRUE(FDir.Names().empty());
  ASSERT_TRUE(SaveSettings(FIni, TSettings(), BuiltInDefaultMemo()).Ok);
  EXPECT_EQ(ReadBytes(FIni),
            "[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\nLeft=247\r\nTop=142\r\nWidth=352\r\nHeight=355\r\n"
            "WindowShade=0\r\nAlwaysOnTop=0\r\nAlphaBlend=255\r\nHotKey=Alt+Ctrl+M\r\nResident=0\r\nWordWrap=0\r\n"
            "FontColor=0\r\nFontName=\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\nFontSize=10\r\n"
            "FontStyle=0\r\n");
}

// Every key's name is pinned by the fresh file above and read back by the round trip below; here the
// forms of the values.
TEST_F(SettingsTest, ValuesAreReadInTheFormsTheProgramAlwaysRead) {
  Load("[tacknote]\r\nalphablend=300\r\nResident=5\r\nLeft=0x20\r\nTop=$20\r\nWidth=abc\r\nAlwaysOnTop=abc\r\n");
  EXPECT_EQ(FWindow, (TSettings{"DEFAULT.BMP", "Alt+Ctrl+M", true, 32, 32, 352, 355, false, false, 44}));
  Load("[TACKNOTE]\r\nAlphaBlend=-1\r\n");
  EXPECT_EQ(FWindow.AlphaBlend, 255);
}

TEST_F(SettingsTest, SaveKeepsTheFilesOtherLinesAndReadsBack) {
  WriteBytes(FIni,
             "; my notes\r\n[Other]\r\nLeft=1\r\n[TACKNOTE]\r\nUnknown=keep\r\nLeft=1\r\nHotKey=Ctrl+A\r\n"
             "\r\n[Last]\r\nx=y\r\n");
  // Every value differs from its default and from its neighbours, so a key read into another field shows.
  const TSettings saved{"BLUE.BMP", "", true, -10, 20, 300, 400, true, false, 200};
  TMemoData memo = BuiltInDefaultMemo();
  memo.FontName = "Mono";
  memo.FontColor = 255;
  memo.FontSize = 11;
  memo.FontStyle = 3;
  memo.WordWrap = true;
  ASSERT_TRUE(SaveSettings(FIni, saved, memo).Ok);
  const std::string text = ReadBytes(FIni);
  EXPECT_EQ(text.substr(0, text.find("[TACKNOTE]")), "; my notes\r\n[Other]\r\nLeft=1\r\n");
  EXPECT_NE(text.find("[TACKNOTE]\r\nUnknown=keep\r\nLeft=-10\r\nHotKey=\r\nSkinFile=BLUE.BMP\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("[Last]\r\nx=y\r\n"), std::string::npos) << text;
  ASSERT_TRUE(LoadSettings(FIni, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow, saved);
  EXPECT_EQ(FMemo, memo);
}

// A save that fails, injected half way, or because the place cannot be written or read, names the file in
// the program's words and leaves what was there (a protected file is refused as every write refuses it,
// tests/platform/file_io_test.cpp).
TEST_F(SettingsTest, FailedSaveLeavesTheOldFileAndNamesIt) {
  const std::string before = "[TACKNOTE]\r\nLeft=1\r\n";
  WriteBytes(FIni, before);
  FaultyCalls calls = FaultyCalls::FullAfter(10);
  const platform::FileResult full = SaveSettings(FIni, TSettings(), BuiltInDefaultMemo(), calls);
  EXPECT_EQ(full.Error, FIni.string() + " に書き込めません");
  EXPECT_EQ(full.Reason, "No space left on device");
  EXPECT_EQ(ReadBytes(FIni), before);
  EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.INI"});

  std::filesystem::remove(FIni);
  std::filesystem::create_directory(FIni);
  const platform::FileResult folder = SaveSettings(FIni, TSettings(), BuiltInDefaultMemo());
  EXPECT_EQ(folder.Error, FIni.string() + " に書き込めません");
  EXPECT_EQ(folder.Reason, "Is a directory");
  // Reading a folder fails and leaves every value at its default.
  EXPECT_FALSE(LoadSettings(FIni, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow, TSettings());
}

// Where the data, settings, recovery and skin files sit beside the executable, the note window's
// scenarios check (tests/app/scenario_test.cpp): they find every file there.

}  // namespace
}  // namespace store
