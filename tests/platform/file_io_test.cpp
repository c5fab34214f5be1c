// Tests of whole-file reads and of the atomic write: every failure leaves the old file and no debris behind.
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <map>

#include "platform/instance_lock.h"
#include "support/case_table.h"
#include "support/failure_injection.h"
#include "support/temp_dir.h"

using platform::FileResult;
using platform::ReadWholeFile;
using platform::WriteFileAtomically;

using namespace test_support;

namespace {

const std::string kOldBytes("old\r\ncontent\0with a NUL\r\n", 25);
const std::string kNewBytes = std::string(100000, 'n') + "\r\nend";

struct stat StatOf(const std::filesystem::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

TEST(ReadWholeFile, ReadsEveryByteAndTellsMissingFromUnreadable) {
  TempDir dir;
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  WriteBytes(dir / "all", all);
  WriteBytes(dir / "empty", "");
  ::mkfifo((dir / "fifo").c_str(), 0600);
  for (const TRow& row : Rows("platform.txt", "readfile")) {
    std::string bytes = "untouched";
    const FileResult result = ReadWholeFile(dir / row.Text(0), bytes);
    EXPECT_EQ(result.Ok, row.Text(3).empty()) << row.Where();
    EXPECT_EQ(result.Missing, row.Int(2) != 0) << row.Where();
    EXPECT_NE(result.Error.find(row.Text(3)), std::string::npos) << result.Error;
    EXPECT_EQ(bytes, row[1] == "all" ? all : row.Text(1)) << row.Where();
  }
}

TEST(WriteFileAtomically, ReplacesKeepingTheModeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const mode_t oldMask = ::umask(027);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kOldBytes).Ok);
  EXPECT_EQ(StatOf(dir / "notes.DAT").st_mode & 07777, 0640u);  // a new file follows the umask
  ::chmod((dir / "notes.DAT").c_str(), 0604);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kNewBytes).Ok);
  ::umask(oldMask);
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kNewBytes);
  EXPECT_EQ(StatOf(dir / "notes.DAT").st_mode & 07777, 0604u);  // a replaced one keeps its own mode
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", "").Ok);
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), "");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"notes.DAT"});

  // Short writes and interruptions still write everything.
  FaultyCalls calls;
  calls.MaxChunk = 777;
  calls.InterruptEvery = 3;
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kNewBytes, calls).Ok);
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kNewBytes);
  EXPECT_GT(calls.WriteCallCount, 100);
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

  // A dangling link names the file to create (a loop of links is a refused row).
  std::filesystem::create_symlink("real/created", dir / "dangling");
  ASSERT_TRUE(WriteFileAtomically(dir / "dangling", "made").Ok);
  EXPECT_EQ(ReadBytes(dir / "real" / "created"), "made");
}

// Each failed or refused write: the result says so in words naming the file, the old file is byte for
// byte as before, and no temporary file stays. What a user protected stays protected, and a link is
// followed only when it and its target are the user's own.
TEST(WriteFileAtomically, AnyFailureOrRefusalLeavesTheOldFile) {
  std::map<std::string, FaultyCalls> failing = {
      {"full", FaultyCalls::FullAfter(kNewBytes.size() / 2)}, {"first", FaultyCalls::FullAfter(0)}, {"zero", {}}};
  failing["first"].WriteError = EIO;
  failing["zero"].WriteReturnsZero = true;
  failing["fsync"].FsyncError = EIO;
  failing["rename"].RenameError = EXDEV;
  for (const TRow& row : Rows("platform.txt", "refused")) {
    const std::string name = row.Text(0), setup = row[2];
    TempDir dir;
    WriteBytes(dir / "notes.DAT", kOldBytes);
    std::filesystem::create_symlink("notes.DAT", dir / "hop");
    std::filesystem::create_symlink("hop", dir / "link");
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink("loop2", dir / "loop1");
    std::filesystem::create_symlink("loop1", dir / "loop2");
    if (setup == "readonly") ::chmod((dir / "notes.DAT").c_str(), 0444);
    if (setup.starts_with("give:") && !GiveTo(dir / setup.substr(5), kOtherUser)) {
      std::cout << "[  SKIPPED ] " << name << ": only root can give a file to another user\n";
      continue;
    }
    FaultyCalls calls = failing.contains(setup) ? failing.at(setup) : FaultyCalls();  // a fresh count for each row
    const FileResult result = WriteFileAtomically(dir / row.Text(1), kNewBytes, calls);
    EXPECT_FALSE(result.Ok) << name;
    EXPECT_EQ(result.Error, row.Text(3) + " \"" + (dir / row.Text(5)).string() + "\": " + row.Text(4)) << name;
    EXPECT_EQ(result.Reason, row.Text(4)) << name;
    EXPECT_EQ(result.File, dir / row.Text(5)) << name;
    EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kOldBytes) << name;
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"hop", "link", "loop1", "loop2", "notes.DAT", "sub"})) << name;
  }
}

// Root saving a file that belongs to another user, or to another group, leaves its owner and group.
TEST(WriteFileAtomically, KeepsTheOwnerAndTheGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
  TempDir dir;
  WriteBytes(dir / "theirs", kOldBytes);
  WriteBytes(dir / "group", kOldBytes);
  ASSERT_EQ(::chown((dir / "theirs").c_str(), kOtherUser, kOtherUser), 0);
  ASSERT_EQ(::chown((dir / "group").c_str(), 0, kOtherUser), 0);
  for (const char* name : {"theirs", "group"}) {
    ASSERT_TRUE(WriteFileAtomically(dir / name, kNewBytes).Ok) << name;
    EXPECT_EQ(StatOf(dir / name).st_gid, kOtherUser) << name;
  }
  EXPECT_EQ(StatOf(dir / "theirs").st_uid, kOtherUser);
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
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"notes.DAT", "second name"}));
  EXPECT_TRUE(std::filesystem::is_empty(data / "tacknote"));

  FaultyCalls calls = FaultyCalls::FullAfter(1000);
  const FileResult failed = WriteFileAtomically(dir / "notes.DAT", kNewBytes, calls);
  EXPECT_EQ(failed.Reason, "No space left on device");
  EXPECT_EQ(failed.SafetyCopy, data / "tacknote" / "tacknote-rescue-notes.DAT");
  EXPECT_EQ(ReadBytes(failed.SafetyCopy), kNewBytes);
  EXPECT_NE(failed.Error.find(failed.SafetyCopy.string()), std::string::npos) << failed.Error;
  EXPECT_EQ(std::filesystem::hard_link_count(dir / "notes.DAT"), 2u);
}

// A writable file in a folder that takes no new file (so no temporary file either) is written in place,
// only after its copy is safe; with no place for the copy it is not touched. Runs as a plain user, whom
// the folder's mode binds.
TEST(WriteFileAtomically, WritesInPlaceInAFolderThatTakesNoNewFile) {
  TempDir dir;
  for (const char* sub : {"notes", "data", "closed"}) std::filesystem::create_directory(dir / sub);
  WriteBytes(dir / "notes" / "notes.DAT", kOldBytes);
  for (const char* name : {"", "notes", "notes/notes.DAT", "data", "closed"}) GiveTo(dir / name, kPlainUser);
  ::chmod((dir / "notes").c_str(), 0555);
  ::chmod((dir / "closed").c_str(), 0555);
  const std::string problems = RunAsPlainUser([&] {
    Problems found;
    {
      ScopedEnv env("XDG_DATA_HOME", (dir / "closed").c_str());
      const FileResult refused = WriteFileAtomically(dir / "notes" / "notes.DAT", kNewBytes);
      found.Expect(!refused.Ok && refused.Reason == "Permission denied", "no copy, yet written: " + refused.Error);
      found.Expect(ReadBytes(dir / "notes" / "notes.DAT") == kOldBytes, "changed without a copy");
    }
    ScopedEnv env("XDG_DATA_HOME", (dir / "data").c_str());
    const FileResult written = WriteFileAtomically(dir / "notes" / "notes.DAT", kNewBytes);
    found.Expect(written.Ok, "not written: " + written.Error);
    found.Expect(std::filesystem::is_empty(dir / "data" / "tacknote"), "the copy stayed");
    const FileResult created = WriteFileAtomically(dir / "notes" / "new.DAT", "x");
    found.Expect(!created.Ok && created.Reason == "Permission denied", "a new file: " + created.Error);
    return found.Found;
  });
  EXPECT_EQ(problems, "");
  EXPECT_EQ(ReadBytes(dir / "notes" / "notes.DAT"), kNewBytes);
}

TEST(WriteNewFile, NeverReplacesAFileAndCanTakeOneThatHoldsTheSameBytes) {
  TempDir dir;
  for (const TRow& row : Rows("platform.txt", "newfile")) {
    const FileResult result = platform::WriteNewFile(dir.Path(), "a", ".DAT.bak", row.Text(0), row.Int(1) != 0);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.File, dir / row.Text(2)) << row.Where();
    EXPECT_EQ(ReadBytes(result.File), row.Text(0)) << row.Where();
  }
  EXPECT_EQ(ReadBytes(dir / "a.DAT.bak"), "one");
  EXPECT_EQ(dir.Names().size(), 4u);
}

// A program started with its standard input closed gets descriptor 0 for the first file it opens: the
// reads, writes and locks must take it like any other.
TEST(WriteFileAtomically, WorksWhenStandardInputIsClosed) {
  TempDir dir, data;
  ScopedEnv env("XDG_DATA_HOME", data.Path().c_str());
  WriteBytes(dir / "linked", kOldBytes);
  std::filesystem::create_hard_link(dir / "linked", dir / "second name");
  const int savedInput = ::dup(0);
  ::close(0);
  platform::InstanceLock first, second, beside;
  const bool firstTaken = first.Acquire(dir.Path(), "lock") && first.Held();
  const bool secondRefused = !second.Acquire(dir.Path(), "lock");
  first.Release();
  const bool secondTaken = second.Acquire(dir.Path(), "lock");
  second.Release();
  const bool besideTaken = beside.TryAcquireBeside(dir / "linked") == platform::TLockResult::Taken;
  beside.Release();
  const bool written =
      WriteFileAtomically(dir / "new", kNewBytes).Ok && WriteFileAtomically(dir / "linked", "in place").Ok;
  std::string bytes;
  const bool read = ReadWholeFile(dir / "new", bytes).Ok;
  ::dup2(savedInput, 0);
  ::close(savedInput);
  EXPECT_TRUE(firstTaken && secondRefused && secondTaken && besideTaken);
  EXPECT_TRUE(written && read && bytes == kNewBytes);
  EXPECT_EQ(ReadBytes(dir / "second name"), "in place");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{".linked.lock", "linked", "lock.lock", "new", "second name"}));
}

}  // namespace
