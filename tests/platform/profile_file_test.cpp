// Tests of the profile file: reads and writes as the Windows profile functions do them, and saving.
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <strings.h>

#include <vector>

#include "platform/line_split.h"
#include "support/case_table.h"
#include "support/random_text.h"
#include "support/temp_dir.h"

using platform::ProfileFile;

using namespace test_support;

namespace {

TEST(ProfileRead, NamesAndValuesAsWindowsReadsThem) {
  for (const TRow& row : Rows("platform.txt", "profile"))
    EXPECT_EQ(ProfileFile::Parse(row.Text(0)).ReadString(row.Text(1), row.Text(2), "<default>"), row.Text(3))
        << row.Where();
}

TEST(ProfileRead, IntegersAndBooleansFallBackToTheDefault) {
  for (const TRow& row : Rows("platform.txt", "pnum")) {
    const ProfileFile p = ProfileFile::Parse(row[0] == "missing" ? "[S]\r\n" : "[S]\r\nk=" + row.Text(0) + "\r\n");
    EXPECT_EQ(p.ReadInteger("S", "k", -1), row.Int(1)) << row.Where();
    EXPECT_EQ(p.ReadBool("S", "k", true), row[2] == "default" || row.Int(2) != 0) << row.Where();
    EXPECT_EQ(p.ReadBool("S", "k", false), row[2] != "default" && row.Int(2) != 0) << row.Where();
  }
}

TEST(ProfileWrite, ChangesOnlyTheLineItNames) {
  for (const TRow& row : Rows("platform.txt", "pwrite")) {
    ProfileFile p = ProfileFile::Parse(row.Text(0));
    const std::string section = row.Text(1), key = row.Text(2);
    if (row[3] == "int") p.WriteInteger(section, key, row.Int(4));
    if (row[3] == "bool") p.WriteBool(section, key, row.Int(4) != 0);
    if (row[3] == "string") p.WriteString(section, key, row.Text(4));
    EXPECT_EQ(p.Serialize(), row.Text(5)) << row.Where();
  }
}

// Random files of every kind of line: parsing and writing back keeps each line, and a write of any value
// reads back as written while every other key reads as before.
TEST(ProfileRandom, WritesKeepUnrelatedLinesAndReadBack) {
  editor::test::TRandomText random(1313);
  const std::vector<std::string> pieces = {
      "[TACKNOTE]", "[tacknote]", "[Other]",     " [ Other ] x",      "[broken",    "Left=1",
      "left = 2",   "Top=\"3\"",  "; comment=1", "garbage",           "",           "  ",
      "=",          "k=v",        "K= 'q' ",     "\x82\xA0=\x82\xA2", "a\tb = c d", std::string("nul\0=1", 6),
      "\xFF\xFE",   "[]",         "Top"};
  const std::string names[] = {"TACKNOTE", "Other", "Left", "TOP", "k", "a\tb", "new", ""};
  const std::string valuePieces[] = {"v", " ", "\t", "\"", "'", "=", "\x82\xA0", ";"};
  const std::string breaks[] = {"\r\n", "\r", "\n"};
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> lines;
    std::string text;
    std::string previousBreak;
    for (int i = 0, count = random.Below(12); i < count; ++i) {
      lines.push_back(random.Pick(pieces));
      text += lines.back();
      // An empty last line exists only with its break; an LF right after a CR would join it as CR LF.
      if (i + 1 < count || lines.back().empty() || random.Chance(50)) {
        previousBreak = breaks[random.Below(lines.back().empty() && previousBreak == "\r" ? 1 : 3)];
        text += previousBreak;
      }
    }
    ProfileFile p = ProfileFile::Parse(text);
    ASSERT_EQ(p.Serialize(), platform::JoinLinesCrLf(lines)) << testing::PrintToString(text);

    const std::string& section = random.Pick(names);
    const std::string& key = random.Pick(names);
    const std::string value = random.Glue(valuePieces, 6);
    const ProfileFile before = p;
    p.WriteString(section, key, value);
    const ProfileFile reread = ProfileFile::Parse(p.Serialize());
    ASSERT_EQ(reread.ReadString(section, key, "<none>"), value) << testing::PrintToString(text);
    for (const std::string& s : names) {
      for (const std::string& k : names) {
        if (::strcasecmp(s.c_str(), section.c_str()) == 0 && ::strcasecmp(k.c_str(), key.c_str()) == 0) continue;
        EXPECT_EQ(reread.ReadString(s, k, "<none>"), before.ReadString(s, k, "<none>")) << s << "/" << k;
      }
    }
  }
}

// Loading (missing, a folder, a round trip) is tested through the settings file, which loads and saves
// with these functions (tests/store/settings_test.cpp).
TEST(ProfileSave, SavesAndReportsFailuresInTheProgramsWords) {
  TempDir dir;
  const ProfileFile p = ProfileFile::Parse("[TACKNOTE]\nSkinFile=DEFAULT.BMP");
  ASSERT_TRUE(p.Save(dir / "TACKNOTE.INI").Ok);
  EXPECT_EQ(ReadBytes(dir / "TACKNOTE.INI"), "[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\n");
  const std::filesystem::path nowhere = dir / "absent" / "TACKNOTE.INI";
  EXPECT_EQ(p.Save(nowhere).Error, nowhere.string() + " に書き込めません");
}

}  // namespace
