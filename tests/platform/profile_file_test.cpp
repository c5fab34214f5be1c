// Tests of the profile file: reads and writes as the Windows profile functions do them, and saving.
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <vector>

#include "platform/concat.h"
#include "platform/line_split.h"
#include "platform/temp_dir.h"

using platform::ProfileFile;
using platform_test::TempDir;

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Splits text made by Serialize (CR LF only), keeping NUL bytes, which the program's line rule would not.
std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The length of the longest common subsequence: how many lines survived, in order.
std::size_t CommonLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::vector<std::size_t>> table(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1 : std::max(table[i - 1][j], table[i][j - 1]);
    }
  }
  return table[a.size()][b.size()];
}

std::string Read(const std::string& text, const char* section, const char* key) {
  return ProfileFile::Parse(text).ReadString(section, key, "<default>");
}

TEST(ProfileRead, NamesAndValuesAsWindowsReadsThem) {
  const struct {
    const char* Text;
    const char* Section;
    const char* Key;
    const char* Expected;
  } cases[] = {
      {"[TACKNOTE]\r\nLeft=5\r\n", "TACKNOTE", "Left", "5"},
      {"[tacknote]\r\nLEFT=5\r\n", "TackNote", "left", "5"},  // names ignore ASCII case
      {"  [ TACKNOTE ]  \r\n \t Left \t= \t 5 \t\r\n", "TACKNOTE", "Left", "5"},
      {"[S]\r\nk=a b  c\r\n", "S", "k", "a b  c"},  // inner blanks stay
      {"[S]\r\nk=\r\n", "S", "k", ""},              // empty, not the default
      {"[S]\r\nk=a=b\r\n", "S", "k", "a=b"},        // the first "=" splits
      {"[S]\r\nk=\"a b \"\r\n", "S", "k", "a b "},  // one pair of quotes off
      {"[S]\r\nk='x'\r\n", "S", "k", "x"},
      {"[S]\r\nk=\"\"x\"\"\r\n", "S", "k", "\"x\""},
      {"[S]\r\nk=\"x'\r\n", "S", "k", "\"x'"},  // quotes must match
      {"[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},                        // first key wins
      {"[S]\r\n[T]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "<default>"},  // first section only
      {"[S]\r\n;k=1\r\n", "S", "k", "<default>"},                      // comments are no keys
      {"[S]\r\n  ;k=1\r\nk=2\r\n", "S", "k", "2"},
      {"[S]\r\nk\r\nk=3\r\n", "S", "k", "3"},     // no "=": no key
      {"k=1\r\n[S]\r\n", "S", "k", "<default>"},  // before any section
      {"[S\r\nk=1\r\n", "S", "k", "<default>"},   // "[S" opens no section
      {"[S] trailing\r\nk=1\r\n", "S", "k", "1"},
      {"[S]\nk=lf\n[T]\nk=t", "S", "k", "lf"},
      {"[S]\rk=cr\r[T]\rk=t", "T", "k", "t"},
      {"[S]\r\nk=end", "S", "k", "end"},  // no final line break
      {"garbage\x01\xFF\r\n[S]\r\n==\r\nk=\x82\xA0\r\n", "S", "k", "\x82\xA0"},
      {"", "S", "k", "<default>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.Text, c.Section, c.Key), c.Expected) << testing::PrintToString(std::string(c.Text));
  }
}

TEST(ProfileRead, LongValuesAreCutWithoutSplittingACharacter) {
  std::string ascii(3000, 'a');
  EXPECT_EQ(Read("[S]\r\nk=" + ascii + "\r\n", "S", "k"), std::string(2047, 'a'));
  // 2046 bytes then a double-byte character: its lead byte would be byte 2047.
  std::string wide = std::string(2046, 'a') + "\x82\xA0" + "tail";
  EXPECT_EQ(Read("[S]\r\nk=" + wide + "\r\n", "S", "k"), std::string(2046, 'a'));
  std::string fits = std::string(2045, 'a') + "\x82\xA0" + "tail";
  EXPECT_EQ(Read("[S]\r\nk=" + fits + "\r\n", "S", "k"), std::string(2045, 'a') + "\x82\xA0");
}

TEST(ProfileRead, IntegersAndBooleansFallBackToTheDefault) {
  ProfileFile p = ProfileFile::Parse(
      "[S]\r\nhex=0x20\r\ndollar=$20\r\nspaced=  12\r\nbad=abc\r\nempty=\r\ntrailing=12 \r\n"
      "quoted=\"7\"\r\nfive=5\r\nzero=0\r\nword=True\r\n");
  EXPECT_EQ(p.ReadInteger("S", "hex", -1), 32);
  EXPECT_EQ(p.ReadInteger("S", "dollar", -1), 32);
  EXPECT_EQ(p.ReadInteger("S", "spaced", -1), 12);
  EXPECT_EQ(p.ReadInteger("S", "bad", -1), -1);
  EXPECT_EQ(p.ReadInteger("S", "empty", -1), -1);
  EXPECT_EQ(p.ReadInteger("S", "trailing", -1), 12);  // the blank is trimmed as part of the value
  EXPECT_EQ(p.ReadInteger("S", "quoted", -1), 7);
  EXPECT_EQ(p.ReadInteger("S", "missing", -1), -1);
  EXPECT_TRUE(p.ReadBool("S", "five", false));
  EXPECT_FALSE(p.ReadBool("S", "zero", true));
  EXPECT_FALSE(p.ReadBool("S", "bad", false));
  EXPECT_TRUE(p.ReadBool("S", "bad", true));
  EXPECT_FALSE(p.ReadBool("S", "word", false));  // booleans are read as numbers only
}

// One write into a given file, and the whole file it leaves: the first key is replaced in place (keeping
// its name's spelling), new keys go after the section's last key, a missing section goes at the end,
// and a value stops at a line break or NUL that would otherwise smuggle in lines of its own.
TEST(ProfileWrite, ChangesOnlyTheLineItNames) {
  const struct {
    const char* Before;
    void (*Write)(ProfileFile&);
    const char* After;
  } cases[] = {
      {"; head\n[Other]\nLeft=1\n[TACKNOTE]\n  left = 2 ; old\n; note\nLeft=3\n\n[Last]\nx=y",
       [](ProfileFile& p) { p.WriteInteger("TACKNOTE", "Left", 247); },
       "; head\r\n[Other]\r\nLeft=1\r\n[TACKNOTE]\r\nleft=247\r\n; note\r\nLeft=3\r\n\r\n[Last]\r\nx=y\r\n"},
      {"[A]\r\na=1\r\n; about B\r\n\r\n[B]\r\nb=1\r\n\r\n\r\n",
       [](ProfileFile& p) { p.WriteString("a", "second", "2"); },
       "[A]\r\na=1\r\nsecond=2\r\n; about B\r\n\r\n[B]\r\nb=1\r\n\r\n\r\n"},
      {"[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n\r\n\r\n", [](ProfileFile& p) { p.WriteString("B", "more", "m"); },
       "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\nmore=m\r\n\r\n\r\n"},
      {"[A]\r\n; only a comment\r\n", [](ProfileFile& p) { p.WriteString("A", "k", "v"); },
       "[A]\r\nk=v\r\n; only a comment\r\n"},
      {"", [](ProfileFile& p) { p.WriteBool("TACKNOTE", "Resident", true); }, "[TACKNOTE]\r\nResident=1\r\n"},
      {"[Other]\nx=1", [](ProfileFile& p) { p.WriteInteger("New", "n", -5); }, "[Other]\r\nx=1\r\n[New]\r\nn=-5\r\n"},
      {"", [](ProfileFile& p) { p.WriteString("S", "k", "one\r\n[S]\r\nk=two"); }, "[S]\r\nk=one\r\n"},
      {"", [](ProfileFile& p) { p.WriteString("S", "k", std::string("x\0y", 3)); }, "[S]\r\nk=x\r\n"},
  };
  for (const auto& c : cases) {
    ProfileFile p = ProfileFile::Parse(c.Before);
    c.Write(p);
    EXPECT_EQ(p.Serialize(), c.After) << testing::PrintToString(std::string(c.Before));
  }
}

// Random files of every kind of line: parsing and writing back keeps each line, and a write changes
// exactly the one value it names.
TEST(ProfileRandom, WritesKeepUnrelatedLinesAndReadBack) {
  std::mt19937 random(1313);
  const std::vector<std::string> pieces = {
      "[TACKNOTE]", "[tacknote]", "[Other]",     " [ Other ] x",      "[broken",    "Left=1",
      "left = 2",   "Top=\"3\"",  "; comment=1", "garbage",           "",           "  ",
      "=",          "k=v",        "K= 'q' ",     "\x82\xA0=\x82\xA2", "a\tb = c d", std::string("nul\0=1", 6),
      "\xFF\xFE",   "[]",         "Top"};
  const std::string sections[] = {"TACKNOTE", "Other", "new", ""};
  const std::string keys[] = {"Left", "TOP", "k", "a\tb", "fresh", ""};
  const std::string breaks[] = {"\r\n", "\r", "\n"};
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> lines;
    std::string text;
    std::size_t count = random() % 12;
    std::string previousBreak;
    for (std::size_t i = 0; i < count; ++i) {
      lines.push_back(pieces[random() % pieces.size()]);
      text += lines.back();
      // An empty last line exists only with its break; an LF right after a CR would join it as CR LF.
      if (i + 1 < count || lines.back().empty() || random() % 2) {
        previousBreak = breaks[random() % (lines.back().empty() && previousBreak == "\r" ? 1 : 3)];
        text += previousBreak;
      }
    }
    ProfileFile p = ProfileFile::Parse(text);
    ASSERT_EQ(p.Serialize(), platform::JoinLinesCrLf(lines)) << testing::PrintToString(text);

    const std::string& section = sections[random() % std::size(sections)];
    const std::string& key = keys[random() % std::size(keys)];
    std::string value = platform::Concat("v", std::to_string(round), round % 3 ? " x" : "");
    const ProfileFile before = p;
    p.WriteString(section, key, value);
    ProfileFile reread = ProfileFile::Parse(p.Serialize());
    EXPECT_EQ(reread.ReadString(section, key, "<none>"), value) << testing::PrintToString(text);
    // Every other key reads as before (names compare without case).
    for (const std::string& s : sections) {
      for (const std::string& k : keys) {
        if (SameName(s, section) && SameName(k, key)) continue;
        EXPECT_EQ(reread.ReadString(s, k, "<none>"), before.ReadString(s, k, "<none>")) << s << "/" << k;
      }
    }
    // The old lines are all still there, in order: at most one was replaced, and one or two added.
    std::vector<std::string> after = SplitCrLf(p.Serialize());
    EXPECT_GE(CommonLines(lines, after) + 1, lines.size()) << testing::PrintToString(text);
    EXPECT_LE(after.size(), lines.size() + 2);
  }
}

TEST(ProfileSave, SavesLoadsAndReportsFailuresInTheProgramsWords) {
  TempDir dir;
  ProfileFile p;
  ASSERT_TRUE(ProfileFile::Load(dir / "TACKNOTE.INI", p).Ok);  // missing: an empty profile
  EXPECT_EQ(p.Serialize(), "");
  p.WriteString("TACKNOTE", "SkinFile", "DEFAULT.BMP");
  ASSERT_TRUE(p.Save(dir / "TACKNOTE.INI").Ok);
  ProfileFile loaded;
  ASSERT_TRUE(ProfileFile::Load(dir / "TACKNOTE.INI", loaded).Ok);
  EXPECT_EQ(loaded.ReadString("TACKNOTE", "SkinFile", ""), "DEFAULT.BMP");
  EXPECT_FALSE(ProfileFile::Load(dir.Path(), loaded).Ok);  // exists but cannot be read

  std::filesystem::path nowhere = dir / "absent" / "TACKNOTE.INI";
  platform::FileResult failed = p.Save(nowhere);
  EXPECT_FALSE(failed.Ok);
  EXPECT_EQ(failed.Error, nowhere.string() + " に書き込めません");

  // A failing write leaves the settings on disk as they were.
  platform_test::FaultyCalls calls;
  calls.RenameError = EACCES;
  p.WriteString("TACKNOTE", "SkinFile", "OTHER.BMP");
  EXPECT_FALSE(p.Save(dir / "TACKNOTE.INI", calls).Ok);
  EXPECT_EQ(platform_test::ReadBytes(dir / "TACKNOTE.INI"), "[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\n");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"TACKNOTE.INI"});
}

}  // namespace
