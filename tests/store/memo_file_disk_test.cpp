// Tests of the data file on disk: missing, empty and unreadable files, and saves that fail part way.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store_test_support.h"

namespace store {
namespace {

using store_test::FaultyCalls;
using store_test::ReadBytes;
using store_test::WriteBytes;

class MemoFileDiskTest : public ::testing::Test {
 protected:
  store_test::TempDir FDir;
  platform::FixedClock FClock{{2024, 5, 6, 7, 8, 9}};
  TNoteStore FStore{FClock};
  std::filesystem::path FPath = FDir / "TACKNOTE.DAT";

  void SetPages(std::initializer_list<std::string> texts) {
    FStore.Pages.clear();
    for (const std::string& text : texts) FStore.Pages.push_back(store_test::PageWithText(text));
  }
  TSaveResult Save(TMemoFile& file, platform::WriteCalls&& calls = platform::WriteCalls()) {
    int32_t badIndex = 7;
    const TSaveResult result = file.SaveMemoFile(FStore, badIndex, calls);
    if (result != SaveBadText) {
      EXPECT_EQ(badIndex, -1);
    }
    return result;
  }
};

// A missing file and one without blocks both start with one new page; saving writes the file.
TEST_F(MemoFileDiskTest, FileWithoutPagesGivesOneNewPage) {
  for (bool exists : {false, true}) {
    if (exists)
      WriteBytes(FPath, std::string(kCommentLine) + "\r\n\r\n");
    else
      std::filesystem::remove(FPath);
    FStore.Pages = {TMemoData{}};  // whatever was there before is replaced
    TMemoFile file(FPath);
    ASSERT_TRUE(file.LoadMemoFile(FStore));
    EXPECT_FALSE(file.ReadFailed());
    ASSERT_EQ(FStore.Pages.size(), 1u);
    EXPECT_EQ(FStore.Pages[0].Title, kDefaultTitle);
    EXPECT_EQ(FStore.Pages[0].Created, "20240506070809");

    FStore.Pages[0].Text = "hello\nworld";
    ASSERT_EQ(Save(file), SaveOk);
    TNoteStore again(FClock);
    ASSERT_TRUE(TMemoFile(FPath).LoadMemoFile(again));
    ASSERT_EQ(again.Pages.size(), 1u);
    EXPECT_EQ(again.Pages[0].Text, "hello\r\nworld");
  }
}

// A file that is there but could not be taken in whole must survive every later save byte for byte.
TEST_F(MemoFileDiskTest, UnreadableFileIsNeverOverwritten) {
  const std::string badField = std::string(kCommentLine) +
                               "\r\n\r\n{$BEGIN}\r\n0,\"t\",0,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,\r\nmine\r\n{$END}\r\n"
                               "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,\r\nlost?\r\n{$END}\r\n";
  for (const std::string& bytes : {std::string(), badField}) {
    WriteBytes(FPath, bytes);
    TMemoFile file(FPath);
    EXPECT_FALSE(file.LoadMemoFile(FStore));
    EXPECT_TRUE(file.ReadFailed());
    SetPages({"replacement"});
    EXPECT_EQ(Save(file), SaveFailed);
    EXPECT_EQ(ReadBytes(FPath), bytes);
  }
}

TEST_F(MemoFileDiskTest, UnwritablePlacesFailTheSaveAndAreLeftAlone) {
  TMemoFile noFolder(FDir / "no such folder" / "TACKNOTE.DAT");
  ASSERT_TRUE(noFolder.LoadMemoFile(FStore));
  EXPECT_EQ(Save(noFolder), SaveFailed);
  EXPECT_FALSE(std::filesystem::exists(FDir / "no such folder"));

  std::filesystem::create_directory(FPath);
  TMemoFile folder(FPath);
  EXPECT_FALSE(folder.LoadMemoFile(FStore));
  EXPECT_EQ(Save(folder), SaveFailed);
  EXPECT_TRUE(std::filesystem::is_directory(FPath));
}

// Unsavable text, a disk that fills half way, and failing flush or rename: each leaves the old file
// byte for byte and no temporary file, and the next save still works.
TEST_F(MemoFileDiskTest, FailedSaveLeavesTheOldFileByteForByte) {
  SetPages({"the old notes"});
  TMemoFile file(FPath);
  ASSERT_EQ(Save(file), SaveOk);
  const std::string before = ReadBytes(FPath);

  SetPages({"fine", "a\r\n{$END}", "{$BEGIN}"});
  int32_t badIndex = -1;
  EXPECT_EQ(file.SaveMemoFile(FStore, badIndex), SaveBadText);
  EXPECT_EQ(badIndex, 1);
  EXPECT_EQ(ReadBytes(FPath), before);

  SetPages({std::string(100000, 'n'), "more"});
  FaultyCalls flushFails, renameFails;
  flushFails.FsyncError = EIO;
  renameFails.RenameError = EACCES;
  for (FaultyCalls calls : {FaultyCalls::FullAfter(0), FaultyCalls::FullAfter(50000), flushFails, renameFails}) {
    EXPECT_EQ(Save(file, std::move(calls)), SaveFailed);
    EXPECT_EQ(ReadBytes(FPath), before);
    EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.DAT"}) << "a temporary file was left behind";
  }
  EXPECT_EQ(Save(file), SaveOk);
  EXPECT_NE(ReadBytes(FPath), before);
}

}  // namespace
}  // namespace store
