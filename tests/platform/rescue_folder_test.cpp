// Tests of the rescue folder: where it is (and where the autostart entry goes), and copies that never
// replace each other.
#include "platform/rescue_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/autostart.h"
#include "support/case_table.h"
#include "support/temp_dir.h"

using namespace test_support;

namespace {

// The rescue folder and the autostart folder follow their base directory variables.
TEST(BaseDirectories, FollowTheVariableOnlyWhenItIsAnAbsolutePath) {
  for (const TRow& row : Rows("platform.txt", "basedir")) {
    const bool autostart = row[0] == "autostart";
    const char* variable = autostart ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME";
    ScopedEnv base(variable, row[1] == "unset" ? nullptr : row.Text(1).c_str());
    ScopedEnv home("HOME", row[2] == "unset" ? nullptr : row.Text(2).c_str());
    const std::filesystem::path dir = autostart ? platform::DefaultAutostartDir() : platform::UserDataDir();
    const bool fromAccount = dir.is_absolute() && dir.string().ends_with("/.local/share/tacknote");
    EXPECT_TRUE(row[3] == "account" ? fromAccount : dir == row.Text(3)) << dir << " at " << row.Where();
  }
}

TEST(RescueFolder, CopiesGoIntoAPrivateFolderAndNeverReplaceEachOther) {
  TempDir data;
  ScopedEnv env("XDG_DATA_HOME", (data / "new" / "data").c_str());
  const std::filesystem::path folder = data / "new" / "data" / "tacknote";
  const platform::FileResult first = platform::WriteRescueCopy("20240506070809", ".DAT", "pages");
  ASSERT_TRUE(first.Ok) << first.Error;
  EXPECT_EQ(first.File, folder / "tacknote-rescue-20240506070809.DAT");
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  WriteBytes(folder / ".tacknote-rescue-20240506070809.DAT.Ab12Cd", "an interrupted rescue");
  const platform::FileResult second = platform::WriteRescueCopy("20240506070809", ".DAT", "later pages");
  EXPECT_EQ(second.File, folder / "tacknote-rescue-20240506070809-2.DAT");
  EXPECT_EQ(ReadBytes(first.File), "pages");
  EXPECT_EQ(ReadBytes(second.File), "later pages");
  EXPECT_FALSE(std::filesystem::exists(folder / ".tacknote-rescue-20240506070809.DAT.Ab12Cd"));

  WriteBytes(folder / "not-a-folder", "");
  ScopedEnv blocked("XDG_DATA_HOME", (folder / "not-a-folder").c_str());
  EXPECT_EQ(platform::WriteRescueCopy("x", ".DAT", "pages").Reason, "Not a directory");
}

}  // namespace
