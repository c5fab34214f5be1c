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

using store_test::TFailingWriteCalls;
using FailAt = TFailingWriteCalls::TFailAt;

class MemoFileDiskTest : public ::testing::Test {
 protected:
  store_test::TTempDir FDir;
  platform::FixedClock FClock{{2024, 5, 6, 7, 8, 9}};
  TNoteStore FStore{FClock};
  std::filesystem::path FPath = FDir / "TACKNOTE.DAT";

  void SetPages(std::initializer_list<const char*> texts) {
    FStore.Pages.clear();
    for (const char* text : texts) {
      ASSERT_TRUE(FStore.AddNewPage());
      FStore.Pages.back().Text = text;
    }
  }
  TSaveResult Save(TMemoFile& file) {
    int32_t badIndex = 0;
    const TSaveResult result = file.SaveMemoFile(FStore, badIndex);
    if (result != SaveBadText) {
      EXPECT_EQ(badIndex, -1);
    }
    return result;
  }
};

TEST_F(MemoFileDiskTest, MissingFileGivesOneNewPageAndIsCreatedBySave) {
  FStore.Pages = {TMemoData{}};  // whatever was there before is replaced
  TMemoFile file(FPath);
  ASSERT_TRUE(file.LoadMemoFile(FStore));
  ASSERT_EQ(FStore.Pages.size(), 1u);
  EXPECT_EQ(FStore.Pages[0].Title, kDefaultTitle);
  EXPECT_EQ(FStore.Pages[0].Created, "20240506070809");
  EXPECT_FALSE(file.ReadFailed());

  FStore.Pages[0].Text = "hello\nworld";
  ASSERT_EQ(Save(file), SaveOk);
  TNoteStore again(FClock);
  TMemoFile reread(FPath);
  ASSERT_TRUE(reread.LoadMemoFile(again));
  ASSERT_EQ(again.Pages.size(), 1u);
  EXPECT_EQ(again.Pages[0].Text, "hello\r\nworld");
}

TEST_F(MemoFileDiskTest, FileWithoutBlocksGivesOneNewPage) {
  store_test::WriteBytes(FPath, std::string(kCommentLine) + "\r\n\r\n");
  TMemoFile file(FPath);
  ASSERT_TRUE(file.LoadMemoFile(FStore));
  ASSERT_EQ(FStore.Pages.size(), 1u);
  EXPECT_EQ(FStore.Pages[0].Title, kDefaultTitle);
  EXPECT_EQ(Save(file), SaveOk);
}

// A file that is there but could not be taken in whole must survive every later save byte for byte.
TEST_F(MemoFileDiskTest, UnreadableFileIsNeverOverwritten) {
  const std::string badField = std::string(kCommentLine) +
                               "\r\n\r\n{$BEGIN}\r\n0,\"t\",0,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,\r\nmine\r\n{$END}\r\n"
                               "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,\r\nlost?\r\n{$END}\r\n";
  for (const std::string& bytes : {std::string(), badField}) {
    store_test::WriteBytes(FPath, bytes);
    TMemoFile file(FPath);
    EXPECT_FALSE(file.LoadMemoFile(FStore));
    EXPECT_TRUE(file.ReadFailed());
    SetPages({"replacement"});
    int32_t badIndex = 7;
    EXPECT_EQ(file.SaveMemoFile(FStore, badIndex), SaveFailed);
    EXPECT_EQ(badIndex, -1);
    EXPECT_EQ(store_test::ReadBytes(FPath), bytes);
  }
}

TEST_F(MemoFileDiskTest, PathThatIsAFolderFailsToLoadAndIsLeftAlone) {
  std::filesystem::create_directory(FPath);
  TMemoFile file(FPath);
  EXPECT_FALSE(file.LoadMemoFile(FStore));
  SetPages({"x"});
  EXPECT_EQ(Save(file), SaveFailed);
  EXPECT_TRUE(std::filesystem::is_directory(FPath));
}

TEST_F(MemoFileDiskTest, FolderThatDoesNotExistFailsTheSave) {
  TMemoFile file(FDir / "no such folder" / "TACKNOTE.DAT");
  ASSERT_TRUE(file.LoadMemoFile(FStore));
  EXPECT_EQ(Save(file), SaveFailed);
  EXPECT_FALSE(std::filesystem::exists(FDir / "no such folder"));
}

TEST_F(MemoFileDiskTest, UnsavableTextLeavesTheOldFileAndNamesThePage) {
  SetPages({"old"});
  TMemoFile file(FPath);
  ASSERT_EQ(Save(file), SaveOk);
  const std::string before = store_test::ReadBytes(FPath);
  SetPages({"fine", "a\r\n{$END}", "{$BEGIN}"});
  int32_t badIndex = -1;
  EXPECT_EQ(file.SaveMemoFile(FStore, badIndex), SaveBadText);
  EXPECT_EQ(badIndex, 1);
  EXPECT_EQ(store_test::ReadBytes(FPath), before);
  // Mending the page lets the next close save.
  FStore.Pages[1].Text = "a";
  FStore.Pages[2].Text = "b";
  EXPECT_EQ(Save(file), SaveOk);
}

TEST_F(MemoFileDiskTest, SaveFailingPartWayLeavesTheOldFileByteForByte) {
  SetPages({"the old notes"});
  TMemoFile file(FPath);
  ASSERT_EQ(Save(file), SaveOk);
  const std::string before = store_test::ReadBytes(FPath);
  SetPages({std::string(100000, 'n').c_str(), "more"});

  for (TFailingWriteCalls calls : {TFailingWriteCalls(FailAt::Write, 0), TFailingWriteCalls(FailAt::Write, 50000),
                                   TFailingWriteCalls(FailAt::Fsync), TFailingWriteCalls(FailAt::Rename)}) {
    int32_t badIndex = 0;
    EXPECT_EQ(file.SaveMemoFile(FStore, badIndex, calls), SaveFailed);
    EXPECT_EQ(badIndex, -1);
    EXPECT_EQ(store_test::ReadBytes(FPath), before);
    EXPECT_EQ(store_test::CountEntries(FDir.Path()), 1) << "a temporary file was left behind";
  }
  // A failed save does not stop a later one.
  EXPECT_EQ(Save(file), SaveOk);
  EXPECT_NE(store_test::ReadBytes(FPath), before);
}

}  // namespace
}  // namespace store
