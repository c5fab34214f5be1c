// Tests of the recovery file: written and read in the data file's format, dated against the data file,
// never written with a page it would have to leave out.
#include "store/recovery_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include "store_test_support.h"
#include "support/case_table.h"

namespace store {
namespace {

using namespace store_test;

class RecoveryFileTest : public StoreTest {
 protected:
  TRecoveryFile FRecovery{TRecoveryFile::PathFor(FDat)};
};

// A page holding a line the format cannot hold would have to be left out, and a restore would then drop
// it from the list, and at the next close from the data file. The file keeps the last full list instead.
TEST_F(RecoveryFileTest, PagesComeBackAsWrittenUntilAPageTheFormatCannotHold) {
  EXPECT_EQ(FRecovery.Path(), FDir / "TACKNOTE.DAT.recovery");
  const std::vector<TMemoData> pages = {Page("typed\r\nbefore the crash"), Page("")};
  ASSERT_TRUE(FRecovery.Write(pages).Ok);
  const platform::FileResult refused = FRecovery.Write({Page("one more"), Page("x\r\n{$END}")});
  EXPECT_EQ(refused.Reason, "page 2 holds a line the file cannot hold");
  std::vector<TMemoData> back;
  ASSERT_TRUE(FRecovery.Read(back).Ok);
  EXPECT_EQ(back, pages);
  EXPECT_EQ(ReadBytes(FRecovery.Path()), Build(pages));

  EXPECT_TRUE(FRecovery.Delete().Ok);
  EXPECT_TRUE(FDir.Names().empty());
  EXPECT_TRUE(FRecovery.Delete().Ok) << "a file that is not there is no failure";
  const platform::FileResult missing = FRecovery.Read(back);
  EXPECT_TRUE(!missing.Ok && missing.Missing);
  EXPECT_EQ(back, pages) << "a failed read leaves the pages alone";
}

// Sets a file's modification time, in seconds and nanoseconds after the epoch.
void SetTime(const std::filesystem::path& path, time_t seconds, long nanos = 0) {
  const struct timespec times[2] = {{seconds, nanos}, {seconds, nanos}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(RecoveryFileTest, NewerThanTheDataFileOnlyWhenWrittenAfterIt) {
  EXPECT_FALSE(FRecovery.NewerThan(FDat)) << "no recovery file";
  ASSERT_TRUE(FRecovery.Write({Page("x")}).Ok);
  EXPECT_TRUE(FRecovery.NewerThan(FDat)) << "no data file";
  WriteBytes(FDat, "");
  for (const TRow& row : Rows("store.txt", "newer")) {
    SetTime(FRecovery.Path(), row.Int(0), row.Int(2));
    SetTime(FDat, row.Int(1));
    EXPECT_EQ(FRecovery.NewerThan(FDat), row.Int(3) != 0) << row.Where();
  }
}

// A recovery file that does not read back whole is not offered; it stays for the user to look at.
TEST_F(RecoveryFileTest, DamagedOrEmptyFilesAreNotRead) {
  const std::string whole = Build({Page("a"), Page("b")});
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
