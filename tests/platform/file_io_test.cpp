// Tests of whole-file reads and of the atomic write: every failure leaves the old file and no debris behind.
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <iostream>

#include "platform/temp_dir.h"

using platform::FileResult;
using platform::ReadWholeFile;
using platform::WriteFileAtomically;
using platform_test::FaultyCalls;
using platform_test::ReadBytes;
using platform_test::TempDir;
using platform_test::WriteBytes;

namespace {

const std::string kOldBytes("old\r\ncontent\0with a NUL\r\n", 25);
const std::string kNewBytes = std::string(100000, 'n') + "\r\nend";

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(ReadWholeFile, ReadsEveryByteAndTellsMissingFromUnreadable) {
  TempDir dir;
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  WriteBytes(dir / "f", all);
  WriteBytes(dir / "empty", "");
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(dir / "f", bytes).Ok);
  EXPECT_EQ(bytes, all);
  ASSERT_TRUE(ReadWholeFile(dir / "empty", bytes).Ok);
  EXPECT_EQ(bytes, "");

  bytes = "untouched";
  FileResult missing = ReadWholeFile(dir / "nothing", bytes);
  EXPECT_TRUE(!missing.Ok && missing.Missing);
  EXPECT_NE(missing.Error.find("nothing\" does not exist"), std::string::npos) << missing.Error;
  FileResult folder = ReadWholeFile(dir.Path(), bytes);
  EXPECT_TRUE(!folder.Ok && !folder.Missing);
  EXPECT_NE(folder.Error.find("Is a directory"), std::string::npos) << folder.Error;
  EXPECT_EQ(bytes, "untouched");
}

TEST(WriteFileAtomically, ReplacesKeepingTheModeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const mode_t oldMask = ::umask(027);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kOldBytes).Ok);
  EXPECT_EQ(ModeOf(dir / "notes.DAT"), 0640u);  // a new file follows the umask
  ::chmod((dir / "notes.DAT").c_str(), 0604);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kNewBytes).Ok);
  ::umask(oldMask);
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kNewBytes);
  EXPECT_EQ(ModeOf(dir / "notes.DAT"), 0604u);  // a replaced one keeps its own mode
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", "").Ok);
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), "");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"notes.DAT"});
}

TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteBytes(dir / "real" / "notes.DAT", kOldBytes);
  std::filesystem::create_symlink("real/notes.DAT", dir / "hop");
  std::filesystem::create_symlink(dir / "hop", dir / "link");
  ASSERT_TRUE(WriteFileAtomically(dir / "link", kNewBytes).Ok);
  EXPECT_EQ(ReadBytes(dir / "real" / "notes.DAT"), kNewBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"hop", "link", "real"}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link") && std::filesystem::is_symlink(dir / "hop"));

  // A dangling link names the file to create; a loop of links is an error, not a hang.
  std::filesystem::create_symlink("real/created", dir / "dangling");
  ASSERT_TRUE(WriteFileAtomically(dir / "dangling", "made").Ok);
  EXPECT_EQ(ReadBytes(dir / "real" / "created"), "made");
  std::filesystem::create_symlink("loop2", dir / "loop1");
  std::filesystem::create_symlink("loop1", dir / "loop2");
  EXPECT_FALSE(WriteFileAtomically(dir / "loop1", "x").Ok);
}

TEST(WriteFileAtomically, ShortWritesAndInterruptionsStillWriteEverything) {
  TempDir dir;
  FaultyCalls calls;
  calls.MaxChunk = 777;
  calls.InterruptEvery = 3;
  ASSERT_TRUE(WriteFileAtomically(dir / "f", kNewBytes, calls).Ok);
  EXPECT_EQ(ReadBytes(dir / "f"), kNewBytes);
  EXPECT_GT(calls.WriteCallCount, 100);
}

// Each failure: the result says so in words naming the file, the old file is byte for byte as before,
// and no temporary file stays.
TEST(WriteFileAtomically, AnyFailureLeavesTheOldFile) {
  struct Case {
    const char* Name;
    FaultyCalls Calls;
    const char* ErrorText;
  };
  FaultyCalls firstWriteFails = FaultyCalls::FullAfter(0), takesNothing, flushFails, renameFails;
  firstWriteFails.WriteError = EIO;
  takesNothing.WriteReturnsZero = true;
  flushFails.FsyncError = EIO;
  renameFails.RenameError = EXDEV;
  Case cases[] = {
      {"half written, then the disk is full", FaultyCalls::FullAfter(kNewBytes.size() / 2), "No space left on device"},
      {"first write fails", firstWriteFails, "Input/output error"},
      {"write takes nothing", takesNothing, "nothing was written"},
      {"flush fails", flushFails, "cannot flush"},
      {"rename fails", renameFails, "Invalid cross-device link"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempDir dir;
    WriteBytes(dir / "notes.DAT", kOldBytes);
    FileResult result = WriteFileAtomically(dir / "notes.DAT", kNewBytes, c.Calls);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find(c.ErrorText), std::string::npos) << result.Error;
    EXPECT_NE(result.Error.find("notes.DAT"), std::string::npos) << result.Error;
    EXPECT_TRUE(!result.Reason.empty() && result.Error.ends_with(result.Reason)) << result.Reason;
    EXPECT_EQ(result.File.filename(), "notes.DAT");
    EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kOldBytes);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"notes.DAT"});
  }
}

TEST(WriteFileAtomically, UnwritablePlacesFailAndKeepWhatIsThere) {
  TempDir dir;
  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(WriteFileAtomically(dir / "sub", "x").Ok);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
  FileResult noFolder = WriteFileAtomically(dir / "absent" / "notes.DAT", "x");
  EXPECT_FALSE(noFolder.Ok);
  EXPECT_NE(noFolder.Error.find("absent"), std::string::npos) << noFolder.Error;
  EXPECT_NE(noFolder.Error.find("No such file or directory"), std::string::npos) << noFolder.Error;

  // root reads and writes whatever the mode; the injected failures above cover root.
  if (::geteuid() == 0) GTEST_SKIP() << "file modes do not stop root";
  WriteBytes(dir / "secret", "x");
  std::filesystem::permissions(dir / "secret", std::filesystem::perms::none);
  std::string bytes;
  FileResult denied = ReadWholeFile(dir / "secret", bytes);
  EXPECT_TRUE(!denied.Ok && !denied.Missing);
  EXPECT_NE(denied.Error.find("Permission denied"), std::string::npos) << denied.Error;
}

}  // namespace

namespace protection {

using platform_test::GiveTo;
using platform_test::kOtherUser;
using platform_test::ScopedEnv;

std::uintmax_t LinkCount(const std::filesystem::path& path) { return std::filesystem::hard_link_count(path); }

// What a user protected stays protected, and a link is followed only when it and its target are the
// user's own: each case is refused with its reason, and nothing on disk changes.
TEST(WriteFileAtomically, RefusesProtectedFilesAndOtherUsersLinks) {
  struct Case {
    const char* Name;
    const char* Path;      // what the write is given
    const char* GiveAway;  // what belongs to another user ("" for nothing)
    const char* Reason;
  };
  const Case cases[] = {
      {"read-only file", "notes.DAT", "", "the file is read-only"},
      {"another user's link", "link", "link", "the link belongs to another user"},
      {"link to another user's file", "link", "notes.DAT", "its target belongs to another user"},
      {"another user's link on the way", "link", "hop", "the link belongs to another user"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempDir dir;
    WriteBytes(dir / "notes.DAT", kOldBytes);
    std::filesystem::create_symlink("notes.DAT", dir / "hop");
    std::filesystem::create_symlink("hop", dir / "link");
    if (std::string_view(c.Reason) == "the file is read-only") ::chmod((dir / "notes.DAT").c_str(), 0444);
    if (*c.GiveAway != '\0' && !GiveTo(dir / c.GiveAway, kOtherUser)) {
      std::cout << "[  SKIPPED ] " << c.Name << ": only root can give a file to another user\n";
      continue;
    }
    FileResult result = WriteFileAtomically(dir / c.Path, kNewBytes);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Reason, c.Reason) << result.Error;
    EXPECT_FALSE(result.File.empty());
    EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kOldBytes);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"hop", "link", "notes.DAT"}));
  }
}

// A file with several names keeps them all: it is written in place, after a complete copy of the new
// content is on disk in the rescue folder; the copy goes once the write is done, and a write that stops
// half way names it.
TEST(WriteFileAtomically, KeepsHardLinksAndCopiesFirst) {
  TempDir dir, data;
  ScopedEnv env("XDG_DATA_HOME", data.Path().c_str());
  WriteBytes(dir / "notes.DAT", kOldBytes);
  std::filesystem::create_hard_link(dir / "notes.DAT", dir / "second name");
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kNewBytes).Ok);
  EXPECT_EQ(ReadBytes(dir / "second name"), kNewBytes);
  ASSERT_TRUE(WriteFileAtomically(dir / "second name", "short").Ok);
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), "short");
  EXPECT_EQ(LinkCount(dir / "notes.DAT"), 2u);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"notes.DAT", "second name"}));
  EXPECT_TRUE(std::filesystem::is_empty(data / "tacknote"));

  FaultyCalls calls = FaultyCalls::FullAfter(1000);
  FileResult failed = WriteFileAtomically(dir / "notes.DAT", kNewBytes, calls);
  EXPECT_FALSE(failed.Ok);
  EXPECT_EQ(failed.Reason, "No space left on device");
  EXPECT_EQ(failed.SafetyCopy, data / "tacknote" / "tacknote-rescue-notes.DAT");
  EXPECT_EQ(ReadBytes(failed.SafetyCopy), kNewBytes);
  EXPECT_NE(failed.Error.find(failed.SafetyCopy.string()), std::string::npos) << failed.Error;
  EXPECT_EQ(LinkCount(dir / "notes.DAT"), 2u);
}

// A writable file in a folder that takes no new file (so no temporary file either) is written in place,
// only after its copy is safe; with no place for the copy it is not touched. Runs as a plain user, whom
// the folder's mode binds.
TEST(WriteFileAtomically, WritesInPlaceInAFolderThatTakesNoNewFile) {
  TempDir dir;
  for (const char* sub : {"notes", "data", "closed"}) std::filesystem::create_directory(dir / sub);
  WriteBytes(dir / "notes" / "notes.DAT", kOldBytes);
  for (const char* name : {"", "notes", "notes/notes.DAT", "data", "closed"})
    GiveTo(dir / name, platform_test::kPlainUser);
  ::chmod((dir / "notes").c_str(), 0555);
  ::chmod((dir / "closed").c_str(), 0555);

  std::string problems = platform_test::RunAsPlainUser([&] {
    std::string found;
    auto expect = [&](bool ok, const std::string& what) {
      if (!ok) found += what + "; ";
    };
    {
      ScopedEnv env("XDG_DATA_HOME", (dir / "closed").c_str());
      FileResult refused = WriteFileAtomically(dir / "notes" / "notes.DAT", kNewBytes);
      expect(!refused.Ok && refused.Reason == "Permission denied", "no copy, yet written: " + refused.Error);
      expect(ReadBytes(dir / "notes" / "notes.DAT") == kOldBytes, "changed without a copy");
    }
    ScopedEnv env("XDG_DATA_HOME", (dir / "data").c_str());
    FileResult written = WriteFileAtomically(dir / "notes" / "notes.DAT", kNewBytes);
    expect(written.Ok, "not written: " + written.Error);
    expect(ReadBytes(dir / "notes" / "notes.DAT") == kNewBytes, "wrong content");
    expect(std::filesystem::is_empty(dir / "data" / "tacknote"), "the copy stayed");
    FileResult created = WriteFileAtomically(dir / "notes" / "new.DAT", "x");
    expect(!created.Ok && created.Reason == "Permission denied", "a new file: " + created.Error);
    return found;
  });
  EXPECT_EQ(problems, "");
  EXPECT_EQ(ReadBytes(dir / "notes" / "notes.DAT"), kNewBytes);
}

TEST(WriteNewFile, NeverReplacesAFileAndCanTakeOneThatHoldsTheSameBytes) {
  TempDir dir;
  struct Step {
    const char* Bytes;
    bool ReuseSame;
    const char* Written;
  };
  const Step steps[] = {
      {"one", false, "a.DAT.bak"},  {"two", false, "a-2.DAT.bak"}, {"one", false, "a-3.DAT.bak"},
      {"two", true, "a-2.DAT.bak"}, {"new", true, "a-4.DAT.bak"},
  };
  for (const Step& step : steps) {
    FileResult result = platform::WriteNewFile(dir.Path(), "a", ".DAT.bak", step.Bytes, step.ReuseSame);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.File, dir / step.Written);
    EXPECT_EQ(ReadBytes(result.File), step.Bytes);
  }
  EXPECT_EQ(ReadBytes(dir / "a.DAT.bak"), "one");
  EXPECT_EQ(dir.Names().size(), 4u);
}

}  // namespace protection
