// Tests of the recovery file: written and read in the data file's format, dated against the data file,
// never written with a page it would have to leave out.
#include "store/recovery_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "store_test_support.h"

namespace store {
namespace {

using store_test::PageWithText;
using store_test::ReadBytes;
using store_test::WriteBytes;

// Sets a file's modification time, in seconds after the epoch.
void SetTime(const std::filesystem::path& path, time_t seconds) {
  const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class RecoveryFileTest : public ::testing::Test {
 protected:
  store_test::TempDir FDir;
  std::filesystem::path FData = FDir / "TACKNOTE.DAT";
  TRecoveryFile FRecovery{TRecoveryFile::PathFor(FData)};
};

TEST_F(RecoveryFileTest, PagesComeBackAsWrittenAndTheFileGoesAtTheEnd) {
  EXPECT_EQ(FRecovery.Path(), FDir / "TACKNOTE.DAT.recovery");
  const std::vector<TMemoData> pages = {PageWithText("typed\r\nbefore the crash"), PageWithText("")};
  ASSERT_TRUE(FRecovery.Write(pages).Ok);
  std::vector<TMemoData> back;
  ASSERT_TRUE(FRecovery.Read(back).Ok);
  EXPECT_EQ(back, pages);
  EXPECT_EQ(ReadBytes(FRecovery.Path()), store_test::Build(pages));

  EXPECT_TRUE(FRecovery.Delete().Ok);
  EXPECT_FALSE(std::filesystem::exists(FRecovery.Path()));
  EXPECT_TRUE(FRecovery.Delete().Ok) << "a file that is not there is no failure";
  const platform::FileResult missing = FRecovery.Read(back);
  EXPECT_TRUE(!missing.Ok && missing.Missing);
  EXPECT_EQ(back, pages) << "a failed read leaves the pages alone";
}

// A page holding a line the format cannot hold would have to be left out, and a restore would then drop
// it from the list, and at the next close from the data file. The file keeps the last full list instead.
TEST_F(RecoveryFileTest, APageTheFormatCannotHoldLeavesTheLastFullListInPlace) {
  const std::vector<TMemoData> earlier = {PageWithText("one"), PageWithText("two")};
  ASSERT_TRUE(FRecovery.Write(earlier).Ok);
  const platform::FileResult refused = FRecovery.Write({PageWithText("one more"), PageWithText("x\r\n{$END}")});
  EXPECT_FALSE(refused.Ok);
  EXPECT_EQ(refused.Reason, "page 2 holds a line the file cannot hold");
  std::vector<TMemoData> back;
  ASSERT_TRUE(FRecovery.Read(back).Ok);
  EXPECT_EQ(back, earlier);
  EXPECT_EQ(FDir.Names(), std::set<std::string>{"TACKNOTE.DAT.recovery"});
}

TEST_F(RecoveryFileTest, NewerThanTheDataFileOnlyWhenWrittenAfterIt) {
  EXPECT_FALSE(FRecovery.NewerThan(FData)) << "no recovery file";
  ASSERT_TRUE(FRecovery.Write({PageWithText("x")}).Ok);
  EXPECT_TRUE(FRecovery.NewerThan(FData)) << "no data file";
  WriteBytes(FData, "");
  const struct {
    time_t Recovery;
    time_t Data;
    bool Newer;
  } cases[] = {{2000, 1000, true}, {1000, 2000, false}, {1000, 1000, false}};
  for (const auto& c : cases) {
    SetTime(FRecovery.Path(), c.Recovery);
    SetTime(FData, c.Data);
    EXPECT_EQ(FRecovery.NewerThan(FData), c.Newer) << c.Recovery << " against " << c.Data;
  }
}

// A recovery file that does not read back whole is not offered; it stays for the user to look at.
TEST_F(RecoveryFileTest, DamagedOrEmptyFilesAreNotRead) {
  const std::string whole = store_test::Build({PageWithText("a"), PageWithText("b")});
  for (const std::string& bytes : {whole.substr(0, whole.size() - 10), std::string(";\r\n\r\n"), std::string()}) {
    WriteBytes(FRecovery.Path(), bytes);
    std::vector<TMemoData> back;
    EXPECT_FALSE(FRecovery.Read(back).Ok) << bytes;
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(ReadBytes(FRecovery.Path()), bytes);
  }
}

}  // namespace
}  // namespace store
