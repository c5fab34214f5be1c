// Tests of the data file on disk: missing, empty and unreadable files, and saves that fail part way.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iterator>
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

namespace safety {

using platform_test::ScopedEnv;

class MemoFileSafetyTest : public MemoFileDiskTest {
 protected:
  store_test::TempDir FData;
  ScopedEnv FDataHome{"XDG_DATA_HOME", FData.Path().c_str()};
  std::filesystem::path FRescueDir = FData / "tacknote";

  std::string Block(const std::string& text) {
    return "{$BEGIN}\r\n0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2\r\n" + text + "\r\n{$END}\r\n";
  }
};

// A file the reader could not take in whole is copied beside itself before anything replaces it, once:
// a second start on the same bytes finds the copy there, other damaged bytes get a copy of their own.
TEST_F(MemoFileSafetyTest, DamagedFileIsKeptBeforeTheFirstSaveReplacesIt) {
  const std::string zeroedFirst = std::string(Block("page one").size(), '\0') + Block("page two");
  const std::string cutShort =
      Block("page one") + "{$BEGIN}\r\n0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2\r\nhal";
  for (const std::string& damaged : {zeroedFirst, cutShort}) {
    WriteBytes(FPath, damaged);
    TMemoFile file(FPath);
    ASSERT_TRUE(file.LoadMemoFile(FStore));
    EXPECT_TRUE(file.Damaged());
    ASSERT_TRUE(file.DamagedCopy().Ok) << file.DamagedCopy().Error;
    EXPECT_EQ(ReadBytes(FDir / "TACKNOTE.DAT.bak"), zeroedFirst) << "the first damaged file keeps its copy";
    EXPECT_EQ(ReadBytes(file.DamagedCopy().File), damaged);
    EXPECT_EQ(Save(file), SaveOk);
    EXPECT_EQ(ReadBytes(file.DamagedCopy().File), damaged);

    WriteBytes(FPath, damaged);  // the same damage met again at a later start
    TMemoFile again(FPath);
    ASSERT_TRUE(again.LoadMemoFile(FStore));
    EXPECT_EQ(again.DamagedCopy().File, file.DamagedCopy().File);
  }
  EXPECT_EQ(FDir.Names(), (std::set<std::string>{"TACKNOTE.DAT", "TACKNOTE.DAT.bak", "TACKNOTE-2.DAT.bak"}));

  // A whole file is never called damaged and gets no copy.
  SetPages({"fine", ""});
  TMemoFile writer(FPath);
  ASSERT_EQ(Save(writer), SaveOk);
  TMemoFile whole(FPath);
  ASSERT_TRUE(whole.LoadMemoFile(FStore));
  EXPECT_FALSE(whole.Damaged());
  EXPECT_EQ(FDir.Names().size(), 3u);
}

// Where no copy can be made (a folder that takes no new file), the damaged file is not replaced.
TEST_F(MemoFileSafetyTest, DamagedFileIsNotReplacedWithoutItsCopy) {
  const std::string damaged = "stray line\r\n" + Block("page");
  WriteBytes(FPath, damaged);
  for (const std::filesystem::path& path : {FDir.Path(), FPath, FData.Path()}) {
    platform_test::GiveTo(path, platform_test::kPlainUser);
  }
  ::chmod(FDir.Path().c_str(), 0555);
  const std::string problems = platform_test::RunAsPlainUser([&] {
    TNoteStore store(FClock);
    TMemoFile file(FPath);
    std::string found;
    if (!file.LoadMemoFile(store) || !file.Damaged()) found += "not read as damaged; ";
    if (file.DamagedCopy().Ok) found += "a copy where none can be; ";
    int32_t badIndex = -1;
    if (file.SaveMemoFile(store, badIndex) != SaveFailed) found += "saved without a copy; ";
    if (file.LastError().Reason != "Permission denied") found += "reason: " + file.LastError().Error;
    return found;
  });
  EXPECT_EQ(problems, "");
  EXPECT_EQ(ReadBytes(FPath), damaged);
}

// Every failed save says which file and why; the pages then go to a rescue file in the user's data
// folder, in the data file's format, every page included.
TEST_F(MemoFileSafetyTest, FailedSaveNamesTheFileAndTheReasonAndThePagesCanBeRescued) {
  SetPages({"old"});
  TMemoFile file(FPath);
  ASSERT_EQ(Save(file), SaveOk);
  const std::string before = ReadBytes(FPath);
  SetPages({"new", "second"});
  FStore.Pages[0].Title = "first";
  EXPECT_EQ(Save(file, FaultyCalls::FullAfter(10)), SaveFailed);
  EXPECT_EQ(file.LastError().File, FPath);
  EXPECT_EQ(file.LastError().Reason, "No space left on device");
  platform::FileResult rescued = file.RescuePages(FStore);
  ASSERT_TRUE(rescued.Ok) << rescued.Error;
  EXPECT_EQ(rescued.File, FRescueDir / "tacknote-rescue-20240506070809.DAT");
  EXPECT_EQ(store_test::Parse(ReadBytes(rescued.File)), FStore.Pages);

  // A close that must end (a signal, the session's end) rescues even a page the data file cannot hold.
  SetPages({"new", "a\r\n{$END}\r\nb"});
  int32_t badIndex = -1;
  EXPECT_EQ(file.SaveMemoFile(FStore, badIndex), SaveBadText);
  rescued = file.RescuePages(FStore);
  EXPECT_EQ(rescued.File, FRescueDir / "tacknote-rescue-20240506070809-2.DAT");
  const std::vector<TMemoData> back = store_test::Parse(ReadBytes(rescued.File));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].Text, "a\r\n {$END}\r\nb");

  SetPages({"new"});
  ::chmod(FPath.c_str(), 0444);
  EXPECT_EQ(Save(file), SaveFailed);
  EXPECT_EQ(file.LastError().Reason, "the file is read-only");
  EXPECT_EQ(ReadBytes(FPath), before);
  EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.DAT"});
}

// A write in place (the data file has a second name) that stops half way leaves the file damaged, but
// the complete pages were synced into a copy first, and that copy is the rescue.
TEST_F(MemoFileSafetyTest, HalfFinishedWriteInPlaceIsRescuedByItsCopy) {
  SetPages({"old"});
  TMemoFile file(FPath);
  ASSERT_EQ(Save(file), SaveOk);
  std::filesystem::create_hard_link(FPath, FDir / "second name");
  SetPages({std::string(10000, 'n')});
  ASSERT_EQ(Save(file), SaveOk);
  EXPECT_EQ(ReadBytes(FDir / "second name"), ReadBytes(FPath));
  SetPages({std::string(20000, 'x')});
  EXPECT_EQ(Save(file, FaultyCalls::FullAfter(5000)), SaveFailed);
  const platform::FileResult rescued = file.RescuePages(FStore);
  EXPECT_EQ(rescued.File, file.LastError().SafetyCopy);
  EXPECT_EQ(store_test::Parse(ReadBytes(rescued.File)), FStore.Pages);
  EXPECT_EQ(FData.Names(), std::set<std::string>{"tacknote"});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FRescueDir), {}), 1);
}

// Under a file-size limit, with SIGXFSZ ignored as the program's start does, a save is an error that
// names the reason, not the death of the process, and leaves no temporary file.
TEST_F(MemoFileSafetyTest, FileSizeLimitFailsTheSaveInsteadOfEndingTheProgram) {
  SetPages({"old"});
  TMemoFile file(FPath);
  ASSERT_EQ(Save(file), SaveOk);
  const std::string before = ReadBytes(FPath);
  SetPages({std::string(1 << 20, 'x')});
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int32_t badIndex = -1;
    const bool failedWithReason =
        file.SaveMemoFile(FStore, badIndex) == SaveFailed && file.LastError().Reason == "File too large";
    ::_exit(failedWithReason ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(FPath), before);
  EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.DAT"});
}

}  // namespace safety

}  // namespace
}  // namespace store
