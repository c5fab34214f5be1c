// Tests of the autostart entry: its folder, the Exec line's escaping (against a model of how a desktop
// reads it back) and writing and removing the file.
#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

using platform_test::ScopedEnv;
using platform_test::TempDir;

// How a desktop turns an Exec value into arguments: key-file escapes first, then "%%", then the
// shell-like quoting in which a backslash inside quotes protects " ` $ and \.
std::vector<std::string> ArgumentsOfExec(const std::string& value) {
  std::string unescaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      unescaped += value[i];
      continue;
    }
    const char next = value[++i];
    unescaped += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next == 's' ? ' ' : next;
  }
  std::string expanded;
  for (std::size_t i = 0; i < unescaped.size(); ++i) {
    expanded += unescaped[i];
    if (unescaped[i] == '%' && i + 1 < unescaped.size() && unescaped[i + 1] == '%') ++i;
  }
  std::vector<std::string> arguments;
  std::string current;
  bool inQuotes = false;
  bool inArgument = false;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    const char c = expanded[i];
    if (inQuotes && c == '\\' && i + 1 < expanded.size() &&
        std::string("\"`$\\").find(expanded[i + 1]) != std::string::npos) {
      current += expanded[++i];
    } else if (c == '"') {
      inQuotes = !inQuotes;
      inArgument = true;
    } else if (c == ' ' && !inQuotes) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

TEST(AutostartExec, EveryPathSurvivesTheDesktopsQuoting) {
  const struct {
    const char* Program;
    const char* Exec;  // as it stands in the file
  } cases[] = {
      {"/opt/tacknote/tacknote", R"("/opt/tacknote/tacknote" /R)"},
      {"/home/u/my notes/tacknote", R"("/home/u/my notes/tacknote" /R)"},
      {"/home/u/say \"hi\"/tacknote", R"("/home/u/say \\"hi\\"/tacknote" /R)"},
      {"/home/u/back\\slash/tacknote", R"("/home/u/back\\\\slash/tacknote" /R)"},
      {"/home/u/$HOME/tacknote", R"("/home/u/\\$HOME/tacknote" /R)"},
      {"/home/u/100%/%f/tacknote", R"("/home/u/100%%/%%f/tacknote" /R)"},
      {"/home/u/`id`/tacknote", R"("/home/u/\\`id\\`/tacknote" /R)"},
      {"/home/u/it's; a|b&c/tacknote", R"("/home/u/it's; a|b&c/tacknote" /R)"},
      {"/home/u/two\nlines\tand tab/tacknote", R"("/home/u/two\nlines\tand tab/tacknote" /R)"},
      {"/home/u/\xE3\x83\xA1\xE3\x83\xA2/tacknote", "\"/home/u/\xE3\x83\xA1\xE3\x83\xA2/tacknote\" /R"},
  };
  for (const auto& c : cases) {
    const std::string exec = platform::AutostartExecValue(c.Program);
    EXPECT_EQ(exec, c.Exec) << c.Program;
    EXPECT_EQ(ArgumentsOfExec(exec), (std::vector<std::string>{c.Program, "/R"})) << c.Program;
    EXPECT_EQ(exec.find('\n'), std::string::npos) << "a line break would end the Exec line";
  }
}

TEST(AutostartDir, FollowsTheBaseDirectoryRules) {
  const struct {
    const char* ConfigHome;  // nullptr: unset
    const char* Home;
    const char* Expected;
  } cases[] = {
      {"/x/cfg", "/home/u", "/x/cfg/autostart"},
      {"", "/home/u", "/home/u/.config/autostart"},
      {nullptr, "/home/u", "/home/u/.config/autostart"},
      {"relative/cfg", "/home/u", "/home/u/.config/autostart"},  // a relative path is ignored
      {nullptr, nullptr, ""},
      {"/x/cfg", nullptr, "/x/cfg/autostart"},
  };
  for (const auto& c : cases) {
    ScopedEnv config("XDG_CONFIG_HOME", c.ConfigHome);
    ScopedEnv home("HOME", c.Home);
    EXPECT_EQ(platform::DefaultAutostartDir().string(), c.Expected)
        << (c.ConfigHome ? c.ConfigHome : "(unset)") << " " << (c.Home ? c.Home : "(unset)");
  }
}

TEST(AutostartEntry, IsWrittenWholeReplacedAndRemoved) {
  TempDir temp;
  const auto dir = temp / "config/autostart";  // not there yet: writing creates it
  EXPECT_FALSE(platform::AutostartEntryExists(dir));

  ASSERT_TRUE(platform::WriteAutostartEntry(dir, "/old place/tacknote").Ok);
  EXPECT_TRUE(platform::AutostartEntryExists(dir));
  ASSERT_TRUE(platform::WriteAutostartEntry(dir, "/new place/tacknote").Ok);
  EXPECT_EQ(platform_test::ReadBytes(dir / "tacknote.desktop"),
            "[Desktop Entry]\nType=Application\nName=TACK*NOTE\nExec=\"/new place/tacknote\" /R\nTerminal=false\n");
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, std::set<std::string>{"tacknote.desktop"}) << "no temporary file is left behind";

  EXPECT_TRUE(platform::DeleteAutostartEntry(dir).Ok);
  EXPECT_FALSE(platform::AutostartEntryExists(dir));
  EXPECT_TRUE(platform::DeleteAutostartEntry(dir).Ok) << "removing a missing entry is no failure";
}

TEST(AutostartEntry, FailuresAreReportedNotHidden) {
  TempDir temp;
  platform_test::WriteBytes(temp / "config", "a file where the folder should be");
  const platform::FileResult blocked = platform::WriteAutostartEntry(temp / "config/autostart", "/p/tacknote");
  EXPECT_FALSE(blocked.Ok);
  EXPECT_NE(blocked.Error.find("config/autostart"), std::string::npos) << blocked.Error;

  EXPECT_FALSE(platform::WriteAutostartEntry({}, "/p/tacknote").Ok);
  EXPECT_FALSE(platform::DeleteAutostartEntry({}).Ok);
  EXPECT_FALSE(platform::AutostartEntryExists({}));
}

}  // namespace
