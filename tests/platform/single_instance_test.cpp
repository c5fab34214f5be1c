// Tests of the start guard: one copy per user and per data file, and the clean-up only the one copy does.
#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include "support/case_table.h"
#include "support/temp_dir.h"

using platform::TSingleInstance;

using namespace test_support;

namespace {

constexpr char kName[] = "TACKNOTE_SINGLE";

// A desktop copy and one started by cron or sudo have different runtime folders and so different user
// locks; on the same data file, reached by any path, the second still ends.
TEST(SingleInstance, OneCopyPerUserAndPerDataFile) {
  TempDir desktop, cron, notes, other;
  std::filesystem::create_symlink(notes / "tacknote.DAT", other / "link.DAT");
  TSingleInstance first;
  ASSERT_TRUE(first.Start(desktop.Path(), kName, {notes / "tacknote.DAT", notes / "tacknote.INI"}));
  EXPECT_TRUE(first.HoldsUserLock() && first.HoldsFileLock());
  for (const TRow& row : Rows("platform.txt", "start")) {
    TSingleInstance second;
    const std::filesystem::path data = (row[1] == "notes" ? notes : other) / row.Text(2);
    EXPECT_EQ(second.Start((row[0] == "cron" ? cron : desktop).Path(), kName, {data}), row.Int(3) != 0) << row.Where();
    EXPECT_EQ(second.HoldsUserLock(), row.Int(3) != 0) << row.Where() << ": a copy that ends holds nothing";
  }
}

// A start under both locks removes the temporary files interrupted saves left beside the data and settings
// files and in the rescue folder; a copy that must end touches nothing, since the running one may be
// writing them.
TEST(SingleInstance, StartRemovesWhatInterruptedWritesLeft) {
  TempDir runtime, other, notes, data;
  ScopedEnv env("XDG_DATA_HOME", data.Path().c_str());
  std::filesystem::create_directory(data / "tacknote");
  const std::set<std::string> kept = {"tacknote.DAT", "tacknote.INI", "notes.txt", ".tacknote.DAT.lock"};
  for (const std::string& name : kept) WriteBytes(notes / name, "keep");
  for (const char* name : {".tacknote.DAT.Ab12Cd", ".tacknote.INI.Ab12Cd", ".tacknote.DAT.recovery.Ab12Cd"}) {
    WriteBytes(notes / name, "left over");
  }
  WriteBytes(data / "tacknote" / ".tacknote-rescue-20240101000000.DAT.Ab12Cd", "left over");
  WriteBytes(data / "tacknote" / "tacknote-rescue-20240101000000.DAT", "a rescue");
  const std::vector<std::filesystem::path> files = {notes / "tacknote.DAT", notes / "tacknote.INI"};
  {
    TSingleInstance running;
    ASSERT_TRUE(running.Start(other.Path(), kName, files));
    EXPECT_EQ(notes.Names(), kept) << "the starting copy cleared its own folder";
    WriteBytes(notes / ".tacknote.DAT.Xy98Zw", "being written");
    EXPECT_FALSE(TSingleInstance().Start(runtime.Path(), kName, files));
    EXPECT_TRUE(std::filesystem::exists(notes / ".tacknote.DAT.Xy98Zw"));
  }
  TSingleInstance next;
  ASSERT_TRUE(next.Start(runtime.Path(), kName, files));
  EXPECT_EQ(notes.Names(), kept);
  EXPECT_EQ(data.Names(), std::set<std::string>{"tacknote"});
  EXPECT_EQ(std::filesystem::directory_iterator(data / "tacknote")->path().filename(),
            "tacknote-rescue-20240101000000.DAT");
}

}  // namespace
