// Tests of the data file on disk: missing, empty, unreadable and damaged files, saves that fail part way,
// and the rescue of pages the data file cannot take.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "store_test_support.h"

namespace store {
namespace {

using namespace store_test;
using MemoFileDiskTest = StoreTest;

// A missing file and one without blocks both start with one new page; saving writes the file.
TEST_F(MemoFileDiskTest, FileWithoutPagesGivesOneNewPage) {
  for (bool exists : {false, true}) {
    if (exists) WriteBytes(FDat, std::string(kCommentLine) + "\r\n\r\n");
    FStore.Pages = {TMemoData{}};  // whatever was there before is replaced
    TMemoFile file(FDat);
    ASSERT_TRUE(file.LoadMemoFile(FStore));
    EXPECT_FALSE(file.ReadFailed() || file.Damaged());
    ASSERT_EQ(FStore.Pages.size(), 1u);
    EXPECT_EQ(FStore.Pages[0].Title, kDefaultTitle);
    EXPECT_EQ(FStore.Pages[0].Created, "20240506070809");
    FStore.Pages[0].Text = "hello\nworld";
    ASSERT_EQ(Save(file), SaveOk);
    EXPECT_EQ(TextsOf(Parse(ReadBytes(FDat))), Texts{"hello\r\nworld"});
  }
}

// A file that is there but could not be taken in whole (empty, a field that does not parse, a folder)
// must survive every later save as it was.
TEST_F(MemoFileDiskTest, UnreadableFileIsNeverOverwritten) {
  const std::string badField = "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,\r\nlost?\r\n{$END}\r\n";
  for (const std::string& bytes : {std::string(), badField}) {
    WriteBytes(FDat, bytes);
    TMemoFile file(FDat);
    EXPECT_FALSE(file.LoadMemoFile(FStore));
    EXPECT_TRUE(file.ReadFailed());
    SetPages({"replacement"});
    EXPECT_EQ(Save(file), SaveFailed);
    EXPECT_EQ(file.LastError().Reason, "the file could not be read at start");
    EXPECT_EQ(ReadBytes(FDat), bytes);
  }
  std::filesystem::remove(FDat);
  std::filesystem::create_directory(FDat);
  TMemoFile folder(FDat);
  EXPECT_FALSE(folder.LoadMemoFile(FStore));
  EXPECT_EQ(Save(folder), SaveFailed);
  EXPECT_TRUE(std::filesystem::is_directory(FDat));
}

// Unsavable text and a save that fails half way each leave the old file byte for byte; the failure names
// the file and the reason, and the pages then go to a rescue file in the user's data folder, every page
// included, even one the data file cannot hold.
TEST_F(MemoFileDiskTest, FailedSavesLeaveTheOldFileOrACopyAndThePagesCanBeRescued) {
  SetPages({"the old notes"});
  TMemoFile file(FDat);
  ASSERT_EQ(Save(file), SaveOk);
  const std::string before = ReadBytes(FDat);
  SetPages({"fine", "a\r\n{$END}", "{$BEGIN}"});
  int32_t badIndex = -1;
  EXPECT_EQ(file.SaveMemoFile(FStore, badIndex), SaveBadText);
  EXPECT_EQ(badIndex, 1);
  EXPECT_EQ(ReadBytes(FDat), before);
  const platform::FileResult rescued = file.RescuePages(FStore);
  EXPECT_EQ(rescued.File, FData / "tacknote" / "tacknote-rescue-20240506070809.DAT");
  EXPECT_EQ(TextsOf(Parse(ReadBytes(rescued.File))), (Texts{"fine", "a\r\n {$END}", " {$BEGIN}"}));

  SetPages({std::string(100000, 'n'), "more"});
  EXPECT_EQ(Save(file, FaultyCalls::FullAfter(50000)), SaveFailed);
  EXPECT_EQ(file.LastError().File, FDat);
  EXPECT_EQ(file.LastError().Reason, "No space left on device");
  EXPECT_EQ(ReadBytes(FDat), before);
  EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.DAT"}) << "a temporary file was left behind";
  const platform::FileResult second = file.RescuePages(FStore);
  EXPECT_EQ(second.File, FData / "tacknote" / "tacknote-rescue-20240506070809-2.DAT");
  EXPECT_EQ(Parse(ReadBytes(second.File)), FStore.Pages);
  EXPECT_EQ(Save(file), SaveOk);
  EXPECT_EQ(Parse(ReadBytes(FDat)), FStore.Pages);

  // A write in place (the data file now has a second name) that stops half way leaves the file damaged,
  // but the complete pages were synced into a copy first, and that copy is the rescue: no third file.
  std::filesystem::create_hard_link(FDat, FDir / "second name");
  SetPages({std::string(20000, 'x')});
  EXPECT_EQ(Save(file, FaultyCalls::FullAfter(5000)), SaveFailed);
  const platform::FileResult copied = file.RescuePages(FStore);
  EXPECT_EQ(copied.File, file.LastError().SafetyCopy);
  EXPECT_EQ(Parse(ReadBytes(copied.File)), FStore.Pages);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FData / "tacknote"), {}), 3);
}

// A file the reader could not take in whole is copied beside itself before anything replaces it, once:
// a second start on the same bytes finds the copy there, other damaged bytes get a copy of their own.
TEST_F(MemoFileDiskTest, DamagedFileIsKeptBeforeTheFirstSaveReplacesIt) {
  const std::string one = FileOf("{$BEGIN}|<H>|page one|{$END}|"), two = FileOf("{$BEGIN}|<H>|page two|{$END}|");
  const std::string zeroedFirst = std::string(one.size(), '\0') + two;
  const std::string cutShort = one + two.substr(0, 64);
  for (const std::string& damaged : {zeroedFirst, cutShort}) {
    WriteBytes(FDat, damaged);
    TMemoFile file(FDat);
    ASSERT_TRUE(file.LoadMemoFile(FStore));
    EXPECT_TRUE(file.Damaged());
    ASSERT_TRUE(file.DamagedCopy().Ok) << file.DamagedCopy().Error;
    EXPECT_EQ(ReadBytes(file.DamagedCopy().File), damaged);
    EXPECT_EQ(Save(file), SaveOk);
    EXPECT_EQ(ReadBytes(file.DamagedCopy().File), damaged);
    WriteBytes(FDat, damaged);  // the same damage met again at a later start
    TMemoFile again(FDat);
    ASSERT_TRUE(again.LoadMemoFile(FStore));
    EXPECT_EQ(again.DamagedCopy().File, file.DamagedCopy().File);
  }
  EXPECT_EQ(ReadBytes(FDir / "TACKNOTE.DAT.bak"), zeroedFirst);
  EXPECT_EQ(ReadBytes(FDir / "TACKNOTE-2.DAT.bak"), cutShort);
  EXPECT_EQ(FDir.Names().size(), 3u);
}

// Where no copy can be made (a folder that takes no new file), the damaged file is not replaced.
TEST_F(MemoFileDiskTest, DamagedFileIsNotReplacedWithoutItsCopy) {
  const std::string damaged = FileOf("stray line|{$BEGIN}|<H>|page|{$END}|");
  WriteBytes(FDat, damaged);
  for (const std::filesystem::path& path : {FDir.Path(), FDat, FData.Path()}) GiveTo(path, kPlainUser);
  ::chmod(FDir.Path().c_str(), 0555);
  const std::string problems = RunAsPlainUser([&] {
    TNoteStore store(FClock);
    TMemoFile file(FDat);
    Problems found;
    found.Expect(file.LoadMemoFile(store) && file.Damaged(), "not read as damaged");
    found.Expect(!file.DamagedCopy().Ok, "a copy where none can be");
    int32_t badIndex = -1;
    found.Expect(file.SaveMemoFile(store, badIndex) == SaveFailed, "saved without a copy");
    found.Expect(file.LastError().Reason == "Permission denied", "reason: " + file.LastError().Error);
    return found.Found;
  });
  EXPECT_EQ(problems, "");
  EXPECT_EQ(ReadBytes(FDat), damaged);
}

}  // namespace
}  // namespace store
