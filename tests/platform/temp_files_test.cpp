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
  for (const TRow& row : Rows("platform.txt", "tempprefix"))
    EXPECT_EQ(platform::IsTempFileNameWithPrefix(row.Text(0), row.Text(1)), row.Int(2) != 0) << row.Where();
  for (const TRow& row : Rows("platform.txt", "tempmade"))
    EXPECT_EQ(platform::TempFileName(row.Text(0), row.Text(1)), row.Text(2)) << row.Where();
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
