// Tests of the autostart entry: the Exec line's escaping, and writing and removing the file (its folder is
// checked with the rescue folder's, in rescue_folder_test.cpp).
#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_table.h"
#include "support/temp_dir.h"

using namespace test_support;

namespace {

// The Exec value as it must stand in the file so that a desktop, undoing the key-file escapes, then "%%",
// then the quoting (a backslash inside quotes protects " ` $ and \), hands over the path and "/R".
TEST(AutostartExec, EveryPathSurvivesTheDesktopsQuoting) {
  for (const TRow& row : Rows("platform.txt", "exec"))
    EXPECT_EQ(platform::AutostartExecValue(row.Text(0)), row.Text(1)) << row.Where();
}

// Written whole (creating the folder), replaced whole, removed; failures are reported, not hidden.
TEST(AutostartEntry, IsWrittenReplacedAndRemovedAndFailuresAreReported) {
  TempDir temp;
  const auto dir = temp / "config/autostart";
  // (Whether an entry exists the options dialog's scenarios see in its check box, tests/data/dialogs.txt.)
  ASSERT_TRUE(platform::WriteAutostartEntry(dir, "/old place/tacknote").Ok);
  ASSERT_TRUE(platform::WriteAutostartEntry(dir, "/new place/tacknote").Ok);
  EXPECT_EQ(ReadBytes(dir / "tacknote.desktop"),
            "[Desktop Entry]\nType=Application\nName=TACK*NOTE\nExec=\"/new place/tacknote\" /R\nTerminal=false\n");
  EXPECT_TRUE(platform::DeleteAutostartEntry(dir).Ok);
  EXPECT_FALSE(std::filesystem::exists(dir / "tacknote.desktop"));
  EXPECT_TRUE(platform::DeleteAutostartEntry(dir).Ok) << "removing a missing entry is no failure";
  EXPECT_TRUE(std::filesystem::is_empty(dir)) << "no temporary file is left behind";

  WriteBytes(temp / "file", "a file where the folder should be");
  const platform::FileResult blocked = platform::WriteAutostartEntry(temp / "file/autostart", "/p/tacknote");
  EXPECT_FALSE(blocked.Ok);
  EXPECT_NE(blocked.Error.find("file/autostart"), std::string::npos) << blocked.Error;
  std::filesystem::create_directories(temp / "full/tacknote.desktop/x");
  EXPECT_FALSE(platform::DeleteAutostartEntry(temp / "full").Ok) << "a folder in its place is not removed";
  EXPECT_FALSE(platform::WriteAutostartEntry({}, "/p/tacknote").Ok);
  EXPECT_FALSE(platform::DeleteAutostartEntry({}).Ok);
  EXPECT_FALSE(platform::AutostartEntryExists({}));
}

}  // namespace
