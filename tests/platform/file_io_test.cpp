// Tests of whole-file reads and of the atomic write: every failure leaves the old file and no debris behind.
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

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

  WriteBytes(dir / "notes.DAT", kOldBytes);
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  FileResult result = WriteFileAtomically(dir / "notes.DAT", kNewBytes);
  EXPECT_FALSE(result.Ok);
  EXPECT_NE(result.Error.find("Permission denied"), std::string::npos) << result.Error;
  EXPECT_EQ(ReadBytes(dir / "notes.DAT"), kOldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"notes.DAT", "secret", "sub"}));
}

}  // namespace
