// Tests of the temporary-file names and of the start-up clean-up that removes what interrupted writes left.
#include "platform/temp_files.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_table.h"
#include "support/failure_injection.h"
#include "support/temp_dir.h"

using namespace test_support;

namespace {

TEST(TempFiles, NamesTheWriterMakesAreTheNamesTheCleanUpTakes) {
  for (const TRow& row : Rows("platform.txt", "tempname"))
    EXPECT_EQ(platform::IsTempFileNameFor(row.Text(0), row.Text(1)), row.Int(2) != 0) << row.Where();
  EXPECT_TRUE(platform::IsTempFileNameFor(platform::TempFileName("notes.DAT", "Qw3rty"), "notes.DAT"));
  // The rescue folder's files are known by the start of their names.
  EXPECT_TRUE(platform::IsTempFileNameWithPrefix(".tacknote-rescue-2024.DAT.Qw3rty", "tacknote-rescue-"));
  EXPECT_FALSE(platform::IsTempFileNameWithPrefix(".tacknote.DAT.Qw3rty", "tacknote-rescue-"));
  EXPECT_FALSE(platform::IsTempFileNameWithPrefix(".tacknote.DAT.Qw3rty", ""));
  // A long name is cut in the temporary name, and the cut name is still recognised.
  const std::string longName(250, 'n');
  EXPECT_EQ(platform::TempFileName(longName, "Qw3rty").size(), 208u);
  EXPECT_TRUE(platform::IsTempFileNameFor(platform::TempFileName(longName, "Qw3rty"), longName));
  EXPECT_TRUE(platform::IsTempFileNameFor(platform::TempFileName(longName + ".bak", "Qw3rty"), longName));
}

TEST(TempFiles, CleanUpTakesOnlyThisUsersLeftoversBesideTheFileAndItsTarget) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteBytes(dir / "real" / "notes.DAT", "notes");
  std::filesystem::create_symlink("real/notes.DAT", dir / "tacknote.DAT");
  for (const char* name : {".tacknote.DAT.aaaaaa", ".tacknote.DAT.recovery.bbbbbb", "real/.notes.DAT.cccccc",
                           ".tacknote.INI.dddddd", "keep.txt", "real/.other.eeeeee"}) {
    WriteBytes(dir / name, "left over");
  }
  std::filesystem::create_directory(dir / ".tacknote.DAT.folder");
  std::filesystem::create_symlink("keep.txt", dir / ".tacknote.DAT.linkss");
  const bool foreign = GiveTo(dir / ".tacknote.DAT.aaaaaa", kOtherUser);

  platform::RemoveStrayTempFilesOf(dir / "tacknote.DAT");
  std::set<std::string> expected = {
      ".tacknote.DAT.folder", ".tacknote.DAT.linkss", ".tacknote.INI.dddddd", "keep.txt", "real", "tacknote.DAT"};
  if (foreign) expected.insert(".tacknote.DAT.aaaaaa");  // another user's file is not ours to remove
  EXPECT_EQ(dir.Names(), expected);
  EXPECT_TRUE(std::filesystem::exists(dir / "real" / ".other.eeeeee"));
  EXPECT_FALSE(std::filesystem::exists(dir / "real" / ".notes.DAT.cccccc"));
}

}  // namespace
