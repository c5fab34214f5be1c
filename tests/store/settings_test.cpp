// Tests of the settings file: defaults, value forms, the write order, kept lines and failed saves.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "store/memo_data.h"
#include "store/settings.h"
#include "store_test_support.h"

namespace store {
namespace {

using store_test::ReadBytes;
using store_test::WriteBytes;

class SettingsTest : public ::testing::Test {
 protected:
  store_test::TempDir FDir;
  std::filesystem::path FPath = FDir / "TACKNOTE.INI";
  TSettings FWindow;
  TMemoData FMemo = BuiltInDefaultMemo();

  void Load(const std::string& fileText) {
    WriteBytes(FPath, fileText);
    ASSERT_TRUE(LoadSettings(FPath, FWindow, FMemo).Ok);
  }
};

TEST_F(SettingsTest, MissingFileKeepsEveryDefault) {
  FWindow.Left = 5;  // the window's value at that moment is the default
  FMemo.FontSize = 13;
  ASSERT_TRUE(LoadSettings(FPath, FWindow, FMemo).Ok);
  TSettings expected;
  expected.Left = 5;
  EXPECT_EQ(FWindow, expected);
  EXPECT_EQ(FMemo.FontSize, 13);
  EXPECT_EQ(FMemo.FontName, kDefaultFontName);
  EXPECT_FALSE(std::filesystem::exists(FPath));
}

TEST_F(SettingsTest, EveryKeyReachesItsField) {
  Load(
      "[TACKNOTE]\r\nSkinFile=BLUE.BMP\r\nHotKey=\r\nResident=1\r\nLeft=-10\r\nTop=20\r\nWidth=300\r\n"
      "Height=400\r\nWindowShade=1\r\nAlwaysOnTop=1\r\nAlphaBlend=200\r\nFontName=Mono\r\nFontColor=255\r\n"
      "FontSize=12\r\nFontStyle=3\r\nWordWrap=1\r\n");
  EXPECT_EQ(FWindow, (TSettings{"BLUE.BMP", "", true, -10, 20, 300, 400, true, true, 200}));
  TMemoData expected = BuiltInDefaultMemo();  // only the five font and word-wrap fields come from the file
  expected.FontName = "Mono";
  expected.FontColor = 255;
  expected.FontSize = 12;
  expected.FontStyle = 3;
  expected.WordWrap = true;
  EXPECT_EQ(FMemo, expected);
}

TEST_F(SettingsTest, ValuesAreReadTheWayTheProgramAlwaysReadThem) {
  Load(
      "[tacknote]\r\nalphablend=300\r\nResident=5\r\nLeft=0x20\r\nTop=$20\r\nWidth=abc\r\nHeight=  7\r\n"
      "AlwaysOnTop=abc\r\nFontSize=\r\nFontColor=$FFFFFFFF\r\n");
  EXPECT_EQ(FWindow.AlphaBlend, 44);  // kept to its low byte
  EXPECT_TRUE(FWindow.Resident);
  EXPECT_EQ(FWindow.Left, 32);
  EXPECT_EQ(FWindow.Top, 32);
  EXPECT_EQ(FWindow.Width, 352);  // does not parse: the default
  EXPECT_EQ(FWindow.Height, 7);
  EXPECT_FALSE(FWindow.AlwaysOnTop);
  EXPECT_EQ(FMemo.FontSize, 10);
  EXPECT_EQ(FMemo.FontColor, -1);

  FWindow = TSettings();
  Load("[TACKNOTE]\r\nResident=abc\r\nAlphaBlend=-1\r\n");
  EXPECT_FALSE(FWindow.Resident);
  EXPECT_EQ(FWindow.AlphaBlend, 255);
}

TEST_F(SettingsTest, FreshFileListsTheKeysInWriteOrder) {
  ASSERT_TRUE(SaveSettings(FPath, TSettings(), BuiltInDefaultMemo()).Ok);
  EXPECT_EQ(ReadBytes(FPath),
            "[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\nLeft=247\r\nTop=142\r\nWidth=352\r\nHeight=355\r\n"
            "WindowShade=0\r\nAlwaysOnTop=0\r\nAlphaBlend=255\r\nHotKey=Alt+Ctrl+M\r\nResident=0\r\nWordWrap=0\r\n"
            "FontColor=0\r\nFontName=\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\nFontSize=10\r\n"
            "FontStyle=0\r\n");
}

TEST_F(SettingsTest, SaveKeepsTheFilesOtherLinesAndReadsBack) {
  WriteBytes(FPath,
             "; my notes\r\n[Other]\r\nLeft=1\r\n[TACKNOTE]\r\nUnknown=keep\r\nLeft=1\r\nHotKey=Ctrl+A\r\n"
             "\r\n[Last]\r\nx=y\r\n");
  const TSettings saved{"BLUE.BMP", "", true, -10, 20, 300, 400, true, true, 200};
  TMemoData memo = BuiltInDefaultMemo();
  memo.WordWrap = true;
  memo.FontSize = 11;
  ASSERT_TRUE(SaveSettings(FPath, saved, memo).Ok);
  const std::string text = ReadBytes(FPath);
  EXPECT_EQ(text.substr(0, text.find("[TACKNOTE]")), "; my notes\r\n[Other]\r\nLeft=1\r\n");
  EXPECT_NE(text.find("[TACKNOTE]\r\nUnknown=keep\r\nLeft=-10\r\nHotKey=\r\nSkinFile=BLUE.BMP\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("[Last]\r\nx=y\r\n"), std::string::npos) << text;
  ASSERT_TRUE(LoadSettings(FPath, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow, saved);
  EXPECT_EQ(FMemo, memo);
}

// A save that fails, injected half way or at the rename, or because the place cannot be written,
// names the file in the program's words and leaves what was there.
TEST_F(SettingsTest, FailedSaveLeavesTheOldFileAndNamesIt) {
  const std::string before = "[TACKNOTE]\r\nLeft=1\r\n";
  WriteBytes(FPath, before);
  store_test::FaultyCalls renameFails;
  renameFails.RenameError = EACCES;
  store_test::FaultyCalls readOnly;
  const struct {
    store_test::FaultyCalls Calls;
    mode_t Mode;
    const char* Reason;
  } cases[] = {
      {store_test::FaultyCalls::FullAfter(10), 0644, "No space left on device"},
      {renameFails, 0644, "Permission denied"},
      {readOnly, 0444, "the file is read-only"},  // its owner protected it
  };
  for (auto c : cases) {
    ::chmod(FPath.c_str(), c.Mode);
    const platform::FileResult result = SaveSettings(FPath, TSettings(), BuiltInDefaultMemo(), c.Calls);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, FPath.string() + " に書き込めません");
    EXPECT_EQ(result.Reason, c.Reason);
    EXPECT_EQ(ReadBytes(FPath), before);
    EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.INI"});
  }
  ::chmod(FPath.c_str(), 0644);

  const std::filesystem::path missingFolder = FDir / "gone" / "TACKNOTE.INI";
  EXPECT_EQ(SaveSettings(missingFolder, TSettings(), BuiltInDefaultMemo()).Error,
            missingFolder.string() + " に書き込めません");
  std::filesystem::remove(FPath);
  std::filesystem::create_directory(FPath);
  EXPECT_EQ(SaveSettings(FPath, TSettings(), BuiltInDefaultMemo()).Error, FPath.string() + " に書き込めません");
  EXPECT_TRUE(std::filesystem::is_directory(FPath));
  // Reading a folder fails and leaves every value at its default.
  EXPECT_FALSE(LoadSettings(FPath, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow, TSettings());
}

TEST(PathsTest, FilesSitBesideTheExecutable) {
  TPaths paths = TPaths::FromExecutable("/opt/tack.d/TACKNOTE.bin");
  EXPECT_EQ(paths.DatPath, "/opt/tack.d/TACKNOTE.DAT");
  EXPECT_EQ(paths.IniPath, "/opt/tack.d/TACKNOTE.INI");
  EXPECT_EQ(paths.SkinDir, "/opt/tack.d/SKINS");
  EXPECT_EQ(paths.RecoveryPath, "/opt/tack.d/TACKNOTE.DAT.recovery");
}

}  // namespace
}  // namespace store
