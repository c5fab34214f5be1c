// Tests of the executable's path and of the extension change that names the data and settings files.
#include "platform/app_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/case_table.h"

namespace {

TEST(ChangeFileExt, ReplacesOrAddsTheNamesExtension) {
  for (const test_support::TRow& row : test_support::Rows("platform.txt", "ext"))
    EXPECT_EQ(platform::ChangeFileExt(row.Text(0), row.Text(1)).string(), row.Text(2)) << row.Where();
}

TEST(ExecutablePath, IsThisTestProgram) {
  const std::filesystem::path exe = platform::ExecutablePath();
  EXPECT_TRUE(exe.is_absolute() && std::filesystem::is_regular_file(exe)) << exe;
  EXPECT_EQ(exe.filename(), "platform_tests");
}

}  // namespace
