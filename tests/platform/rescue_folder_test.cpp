// Tests of the rescue folder: where it is, and copies that never replace each other.
#include "platform/rescue_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/temp_dir.h"

using platform_test::ReadBytes;
using platform_test::ScopedEnv;
using platform_test::TempDir;
using platform_test::WriteBytes;

namespace {

TEST(RescueFolder, FollowsTheDataHomeVariableOnlyWhenItIsAnAbsolutePath) {
  struct Case {
    const char* DataHome;
    const char* Home;
    const char* Expected;
  };
  const Case cases[] = {
      {"/x/data", "/home/u", "/x/data/tacknote"},       {"relative/data", "/home/u", "/home/u/.local/share/tacknote"},
      {"", "/home/u", "/home/u/.local/share/tacknote"}, {nullptr, "/home/u", "/home/u/.local/share/tacknote"},
      {"/x/data", nullptr, "/x/data/tacknote"},
  };
  for (const Case& c : cases) {
    ScopedEnv dataHome("XDG_DATA_HOME", c.DataHome);
    ScopedEnv home("HOME", c.Home);
    EXPECT_EQ(platform::UserDataDir(), c.Expected) << (c.DataHome ? c.DataHome : "(unset)");
  }
  // Without HOME the account's own home folder stands in.
  ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
  ScopedEnv home("HOME", nullptr);
  EXPECT_TRUE(platform::UserDataDir().is_absolute());
}

TEST(RescueFolder, CopiesGoIntoAPrivateFolderAndNeverReplaceEachOther) {
  TempDir data;
  ScopedEnv env("XDG_DATA_HOME", (data / "new" / "data").c_str());
  const std::filesystem::path folder = data / "new" / "data" / "tacknote";
  platform::FileResult first = platform::WriteRescueCopy("20240506070809", ".DAT", "pages");
  ASSERT_TRUE(first.Ok) << first.Error;
  EXPECT_EQ(first.File, folder / "tacknote-rescue-20240506070809.DAT");
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  WriteBytes(folder / ".tacknote-rescue-20240506070809.DAT.Ab12Cd", "an interrupted rescue");
  platform::FileResult second = platform::WriteRescueCopy("20240506070809", ".DAT", "later pages");
  ASSERT_TRUE(second.Ok) << second.Error;
  EXPECT_EQ(second.File, folder / "tacknote-rescue-20240506070809-2.DAT");
  EXPECT_EQ(ReadBytes(first.File), "pages");
  EXPECT_FALSE(std::filesystem::exists(folder / ".tacknote-rescue-20240506070809.DAT.Ab12Cd"));

  WriteBytes(folder / "not-a-folder", "");
  ScopedEnv blocked("XDG_DATA_HOME", (folder / "not-a-folder").c_str());
  platform::FileResult failed = platform::WriteRescueCopy("x", ".DAT", "pages");
  EXPECT_FALSE(failed.Ok);
  EXPECT_EQ(failed.Reason, "Not a directory") << failed.Error;
}

}  // namespace
