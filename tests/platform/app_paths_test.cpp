// Tests of the executable's path and of the extension change that names the data and settings files.
#include "platform/app_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ChangeFileExt, ReplacesOrAddsTheNamesExtension) {
  const struct {
    const char* Path;
    const char* Ext;
    const char* Expected;
  } cases[] = {
      {"/opt/tacknote/TACKNOTE.EXE", ".DAT", "/opt/tacknote/TACKNOTE.DAT"},
      {"/opt/v1.2/tacknote", ".INI", "/opt/v1.2/tacknote.INI"},  // a folder's dot is no extension
      {"/home/u/.tacknote", ".DAT", "/home/u/.tacknote.DAT"},    // nor is the dot that opens a name
      {"/home/u/.tack.note", ".DAT", "/home/u/.tack.DAT"},
      {"a.b.c", ".INI", "a.b.INI"},
      {"name.", ".INI", "name.INI"},
      {"x.txt", "", "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::ChangeFileExt(c.Path, c.Ext).string(), c.Expected) << c.Path;
}

TEST(ExecutablePath, IsThisTestProgram) {
  const std::filesystem::path exe = platform::ExecutablePath();
  EXPECT_TRUE(exe.is_absolute() && std::filesystem::is_regular_file(exe)) << exe;
  EXPECT_EQ(exe.filename(), "platform_tests");
}

}  // namespace
