// Tests of the settings file: defaults, value forms, the write order, kept lines and failed saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/memo_data.h"
#include "store/settings.h"
#include "store_test_support.h"

namespace store {
namespace {

using store_test::TFailingWriteCalls;

class SettingsTest : public ::testing::Test {
 protected:
  store_test::TTempDir FDir;
  std::filesystem::path FPath = FDir / "TACKNOTE.INI";
  TSettings FWindow;
  TMemoData FMemo = BuiltInDefaultMemo();

  void Load(const std::string& fileText) {
    store_test::WriteBytes(FPath, fileText);
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
  EXPECT_EQ(FWindow.SkinFile, "DEFAULT.BMP");
  EXPECT_EQ(FWindow.HotKey, "Alt+Ctrl+M");
  EXPECT_EQ(FMemo.FontSize, 13);
  EXPECT_EQ(FMemo.FontName, kDefaultFontName);
  EXPECT_FALSE(std::filesystem::exists(FPath));
}

TEST_F(SettingsTest, EveryKeyReachesItsField) {
  Load(
      "[TACKNOTE]\r\nSkinFile=BLUE.BMP\r\nHotKey=\r\nResident=1\r\nLeft=-10\r\nTop=20\r\nWidth=300\r\n"
      "Height=400\r\nWindowShade=1\r\nAlwaysOnTop=1\r\nAlphaBlend=200\r\nFontName=Mono\r\nFontColor=255\r\n"
      "FontSize=12\r\nFontStyle=3\r\nWordWrap=1\r\n");
  const TSettings expected{"BLUE.BMP", "", true, -10, 20, 300, 400, true, true, 200};
  EXPECT_EQ(FWindow, expected);
  EXPECT_EQ(FMemo.FontName, "Mono");
  EXPECT_EQ(FMemo.FontColor, 255);
  EXPECT_EQ(FMemo.FontSize, 12);
  EXPECT_EQ(FMemo.FontStyle, 3);
  EXPECT_TRUE(FMemo.WordWrap);
  EXPECT_EQ(FMemo.Title, kDefaultTitle);  // only the five font and word-wrap fields come from the file
}

TEST_F(SettingsTest, ValuesAreReadTheWayTheProgramAlwaysReadThem) {
  Load("[tacknote]\r\nalphablend=300\r\nResident=5\r\nLeft=0x20\r\nTop=$20\r\nWidth=abc\r\nHeight=  7\r\n"
       "AlwaysOnTop=abc\r\nWindowShade=0\r\nFontSize=\r\nFontColor=$FFFFFFFF\r\n");
  EXPECT_EQ(FWindow.AlphaBlend, 44);
  EXPECT_TRUE(FWindow.Resident);
  EXPECT_EQ(FWindow.Left, 32);
  EXPECT_EQ(FWindow.Top, 32);
  EXPECT_EQ(FWindow.Width, 352);  // does not parse: the default
  EXPECT_EQ(FWindow.Height, 7);
  EXPECT_FALSE(FWindow.AlwaysOnTop);
  EXPECT_FALSE(FWindow.WindowShade);
  EXPECT_EQ(FMemo.FontSize, 10);
  EXPECT_EQ(FMemo.FontColor, -1);

  FWindow = TSettings();
  Load("[TACKNOTE]\r\nResident=abc\r\nAlphaBlend=-1\r\n");
  EXPECT_FALSE(FWindow.Resident);
  EXPECT_EQ(FWindow.AlphaBlend, 255);
}

TEST_F(SettingsTest, FreshFileListsTheKeysInWriteOrder) {
  ASSERT_TRUE(SaveSettings(FPath, TSettings(), BuiltInDefaultMemo()).Ok);
  EXPECT_EQ(store_test::ReadBytes(FPath),
            "[TACKNOTE]\r\n"
            "SkinFile=DEFAULT.BMP\r\n"
            "Left=247\r\n"
            "Top=142\r\n"
            "Width=352\r\n"
            "Height=355\r\n"
            "WindowShade=0\r\n"
            "AlwaysOnTop=0\r\n"
            "AlphaBlend=255\r\n"
            "HotKey=Alt+Ctrl+M\r\n"
            "Resident=0\r\n"
            "WordWrap=0\r\n"
            "FontColor=0\r\n"
            "FontName=\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\n"
            "FontSize=10\r\n"
            "FontStyle=0\r\n");
}

TEST_F(SettingsTest, SaveKeepsTheFilesOtherLines) {
  store_test::WriteBytes(FPath,
                         "; my notes\r\n[Other]\r\nLeft=1\r\n[TACKNOTE]\r\nUnknown=keep\r\nLeft=1\r\n"
                         "HotKey=Ctrl+A\r\n\r\n[Last]\r\nx=y\r\n");
  TSettings window;
  window.Left = 99;
  ASSERT_TRUE(SaveSettings(FPath, window, BuiltInDefaultMemo()).Ok);
  const std::string text = store_test::ReadBytes(FPath);
  EXPECT_EQ(text.substr(0, text.find("[TACKNOTE]")), "; my notes\r\n[Other]\r\nLeft=1\r\n");
  EXPECT_NE(text.find("[TACKNOTE]\r\nUnknown=keep\r\nLeft=99\r\nHotKey=Alt+Ctrl+M\r\nSkinFile=DEFAULT.BMP\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[Last]\r\nx=y\r\n"), std::string::npos) << text;
  ASSERT_TRUE(LoadSettings(FPath, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow.Left, 99);
}

TEST_F(SettingsTest, FailedSaveLeavesTheOldFileAndNamesIt) {
  const std::string before = "[TACKNOTE]\r\nLeft=1\r\n";
  store_test::WriteBytes(FPath, before);
  TSettings window;
  window.Left = 2;
  for (TFailingWriteCalls calls : {TFailingWriteCalls(TFailingWriteCalls::TFailAt::Write, 10),
                                   TFailingWriteCalls(TFailingWriteCalls::TFailAt::Rename)}) {
    const platform::FileResult result = SaveSettings(FPath, window, BuiltInDefaultMemo(), calls);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, FPath.string() + " に書き込めません");
    EXPECT_EQ(store_test::ReadBytes(FPath), before);
    EXPECT_EQ(store_test::CountEntries(FDir.Path()), 1);
  }
}

TEST_F(SettingsTest, UnwritablePlacesFailWithTheWriteError) {
  const std::filesystem::path missingFolder = FDir / "gone" / "TACKNOTE.INI";
  platform::FileResult result = SaveSettings(missingFolder, TSettings(), BuiltInDefaultMemo());
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Error, missingFolder.string() + " に書き込めません");

  std::filesystem::create_directory(FPath);
  result = SaveSettings(FPath, TSettings(), BuiltInDefaultMemo());
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Error, FPath.string() + " に書き込めません");
  EXPECT_TRUE(std::filesystem::is_directory(FPath));
  // Reading a folder fails and leaves every value at its default.
  EXPECT_FALSE(LoadSettings(FPath, FWindow, FMemo).Ok);
  EXPECT_EQ(FWindow, TSettings());
}

TEST(PathsTest, FilesSitBesideTheExecutable) {
  TPaths paths = TPaths::FromExecutable("/opt/tack/TACKNOTE");
  EXPECT_EQ(paths.DatPath, "/opt/tack/TACKNOTE.DAT");
  EXPECT_EQ(paths.IniPath, "/opt/tack/TACKNOTE.INI");
  EXPECT_EQ(paths.SkinDir, "/opt/tack/SKINS");
  paths = TPaths::FromExecutable("/opt/tack.d/tacknote.bin");
  EXPECT_EQ(paths.DatPath, "/opt/tack.d/tacknote.DAT");
  EXPECT_EQ(paths.IniPath, "/opt/tack.d/tacknote.INI");
}

}  // namespace
}  // namespace store
