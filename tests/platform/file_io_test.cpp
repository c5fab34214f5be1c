// Tests of whole-file reads and of the atomic write: every failure leaves the old file and no debris behind.
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/temp_dir.h"

using platform::FileResult;
using platform::ReadWholeFile;
using platform::WriteCalls;
using platform::WriteFileAtomically;
using platform_test::TempDir;

namespace {

const std::string kOldBytes("old\r\ncontent\0with a NUL\r\n", 25);
const std::string kNewBytes = std::string(100000, 'n') + "\r\nend";

void WriteRaw(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadRaw(const std::filesystem::path& path) {
  std::string bytes;
  FileResult result = ReadWholeFile(path, bytes);
  EXPECT_TRUE(result.Ok) << result.Error;
  return bytes;
}

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

// Sets the umask for one test and puts the old one back.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : FOld(::umask(mask)) {}
  ~ScopedUmask() { ::umask(FOld); }

 private:
  mode_t FOld;
};

TEST(ReadWholeFile, ReadsEveryByte) {
  TempDir dir;
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  WriteRaw(dir / "f", all);
  EXPECT_EQ(ReadRaw(dir / "f"), all);
  WriteRaw(dir / "empty", "");
  std::string bytes = "stale";
  ASSERT_TRUE(ReadWholeFile(dir / "empty", bytes).Ok);
  EXPECT_EQ(bytes, "");
}

TEST(ReadWholeFile, TellsAMissingFileFromAnUnreadableOne) {
  TempDir dir;
  std::string bytes = "untouched";
  FileResult missing = ReadWholeFile(dir / "nothing", bytes);
  EXPECT_FALSE(missing.Ok);
  EXPECT_TRUE(missing.Missing);
  EXPECT_NE(missing.Error.find("nothing\" does not exist"), std::string::npos) << missing.Error;

  FileResult folder = ReadWholeFile(dir.Path(), bytes);
  EXPECT_FALSE(folder.Ok);
  EXPECT_FALSE(folder.Missing);
  EXPECT_NE(folder.Error.find("Is a directory"), std::string::npos) << folder.Error;
  EXPECT_EQ(bytes, "untouched");
}

TEST(ReadWholeFile, PermissionDeniedIsNotMissing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
  TempDir dir;
  WriteRaw(dir / "secret", "x");
  std::filesystem::permissions(dir / "secret", std::filesystem::perms::none);
  std::string bytes;
  FileResult result = ReadWholeFile(dir / "secret", bytes);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Missing);
  EXPECT_NE(result.Error.find("Permission denied"), std::string::npos) << result.Error;
}

TEST(WriteFileAtomically, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
  TempDir dir;
  ScopedUmask mask(022);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kOldBytes).Ok);
  EXPECT_EQ(ReadRaw(dir / "notes.DAT"), kOldBytes);
  EXPECT_EQ(ModeOf(dir / "notes.DAT"), 0644u);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", kNewBytes).Ok);
  EXPECT_EQ(ReadRaw(dir / "notes.DAT"), kNewBytes);
  ASSERT_TRUE(WriteFileAtomically(dir / "notes.DAT", "").Ok);
  EXPECT_EQ(ReadRaw(dir / "notes.DAT"), "");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"notes.DAT"});
}

TEST(WriteFileAtomically, NewFilesFollowTheUmaskAndOldFilesKeepTheirMode) {
  TempDir dir;
  ScopedUmask mask(027);
  ASSERT_TRUE(WriteFileAtomically(dir / "new", "x").Ok);
  EXPECT_EQ(ModeOf(dir / "new"), 0640u);
  WriteRaw(dir / "private", kOldBytes);
  ::chmod((dir / "private").c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(dir / "private", kNewBytes).Ok);
  EXPECT_EQ(ModeOf(dir / "private"), 0600u);
  ::chmod((dir / "private").c_str(), 0664);
  ASSERT_TRUE(WriteFileAtomically(dir / "private", kOldBytes).Ok);
  EXPECT_EQ(ModeOf(dir / "private"), 0664u);
}

TEST(WriteFileAtomically, WritesThroughSymbolicLinks) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteRaw(dir / "real" / "notes.DAT", kOldBytes);
  std::filesystem::create_symlink("real/notes.DAT", dir / "hop");
  std::filesystem::create_symlink(dir / "hop", dir / "link");
  ASSERT_TRUE(WriteFileAtomically(dir / "link", kNewBytes).Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "hop"));
  EXPECT_EQ(ReadRaw(dir / "real" / "notes.DAT"), kNewBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"hop", "link", "real"}));

  // A dangling link names the file to create.
  std::filesystem::create_symlink("real/created", dir / "dangling");
  ASSERT_TRUE(WriteFileAtomically(dir / "dangling", "made").Ok);
  EXPECT_EQ(ReadRaw(dir / "real" / "created"), "made");

  // A loop of links is an error, not a hang.
  std::filesystem::create_symlink("loop2", dir / "loop1");
  std::filesystem::create_symlink("loop1", dir / "loop2");
  EXPECT_FALSE(WriteFileAtomically(dir / "loop1", "x").Ok);
}

TEST(WriteFileAtomically, RefusesWhatIsNoFileOrHasNoFolder) {
  TempDir dir;
  std::filesystem::create_directory(dir / "sub");
  FileResult onFolder = WriteFileAtomically(dir / "sub", "x");
  EXPECT_FALSE(onFolder.Ok);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));

  FileResult noFolder = WriteFileAtomically(dir / "absent" / "notes.DAT", "x");
  EXPECT_FALSE(noFolder.Ok);
  EXPECT_NE(noFolder.Error.find("absent"), std::string::npos) << noFolder.Error;
  EXPECT_NE(noFolder.Error.find("No such file or directory"), std::string::npos) << noFolder.Error;
}

// System calls that misbehave on cue: short writes, EINTR, and a chosen failure at a chosen step.
class FaultyCalls : public WriteCalls {
 public:
  std::size_t MaxChunk = SIZE_MAX;  // the most one write() takes
  int WritesBeforeError = -1;       // -1: writes never fail
  int WriteError = ENOSPC;
  int InterruptEvery = 0;           // every n-th write call fails with EINTR first
  bool WriteReturnsZero = false;
  int FsyncError = 0;
  int RenameError = 0;
  int WriteCallCount = 0;

  ssize_t Write(int fd, const void* data, std::size_t size) override {
    ++WriteCallCount;
    if (InterruptEvery > 0 && WriteCallCount % InterruptEvery == 0) return FailWith(EINTR);
    if (WriteReturnsZero) return 0;
    if (WritesBeforeError == 0) return FailWith(WriteError);
    if (WritesBeforeError > 0) --WritesBeforeError;
    return WriteCalls::Write(fd, data, std::min(size, MaxChunk));
  }
  int Fsync(int fd) override { return FsyncError ? FailWith(FsyncError) : WriteCalls::Fsync(fd); }
  int Rename(const char* from, const char* to) override {
    return RenameError ? FailWith(RenameError) : WriteCalls::Rename(from, to);
  }

 private:
  static int FailWith(int error) {
    errno = error;
    return -1;
  }
};

TEST(WriteFileAtomically, ShortWritesAndInterruptionsStillWriteEverything) {
  TempDir dir;
  FaultyCalls calls;
  calls.MaxChunk = 777;
  calls.InterruptEvery = 3;
  ASSERT_TRUE(WriteFileAtomically(dir / "f", kNewBytes, calls).Ok);
  EXPECT_EQ(ReadRaw(dir / "f"), kNewBytes);
  EXPECT_GT(calls.WriteCallCount, 100);
}

// Each failure: the result says so in words, the old file is byte for byte as before, no temporary file stays.
TEST(WriteFileAtomically, AnyFailureLeavesTheOldFile) {
  struct Case {
    const char* Name;
    void (*Setup)(FaultyCalls&);
    const char* ErrorText;
  };
  const Case cases[] = {
      {"half written, then the disk is full",
       [](FaultyCalls& c) { c.MaxChunk = kNewBytes.size() / 2; c.WritesBeforeError = 1; }, "No space left on device"},
      {"first write fails", [](FaultyCalls& c) { c.WritesBeforeError = 0; c.WriteError = EIO; }, "Input/output error"},
      {"write takes nothing", [](FaultyCalls& c) { c.WriteReturnsZero = true; }, "nothing was written"},
      {"flush fails", [](FaultyCalls& c) { c.FsyncError = EIO; }, "cannot flush"},
      {"rename fails", [](FaultyCalls& c) { c.RenameError = EXDEV; }, "Invalid cross-device link"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TempDir dir;
    WriteRaw(dir / "notes.DAT", kOldBytes);
    FaultyCalls calls;
    c.Setup(calls);
    FileResult result = WriteFileAtomically(dir / "notes.DAT", kNewBytes, calls);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find(c.ErrorText), std::string::npos) << result.Error;
    EXPECT_NE(result.Error.find("notes.DAT"), std::string::npos) << result.Error;
    EXPECT_EQ(ReadRaw(dir / "notes.DAT"), kOldBytes);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"notes.DAT"});
  }
}

TEST(WriteFileAtomically, ReadOnlyFolderLeavesTheOldFile) {
  // root writes into any folder whatever its mode; the injected failures above cover root.
  if (::geteuid() == 0) GTEST_SKIP() << "a read-only folder does not stop root";
  TempDir dir;
  WriteRaw(dir / "notes.DAT", kOldBytes);
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  FileResult result = WriteFileAtomically(dir / "notes.DAT", kNewBytes);
  EXPECT_FALSE(result.Ok);
  EXPECT_NE(result.Error.find("Permission denied"), std::string::npos) << result.Error;
  EXPECT_EQ(ReadRaw(dir / "notes.DAT"), kOldBytes);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"notes.DAT"});
}

}  // namespace
