// Tests of the single-instance lock: one holder at a time, and no other user can hold this user's program up
// (that a killed holder never keeps it, the kill test in tests/store checks at every kill).
#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/failure_injection.h"
#include "support/temp_dir.h"

using platform::InstanceLock;
using platform::TLockResult;

using namespace test_support;

namespace {

constexpr char kName[] = "TACKNOTE_SINGLE";

bool FreeIn(const std::filesystem::path& dir) { return InstanceLock().Acquire(dir, kName); }

// One holder at a time; its descriptor must not leak into programs this one starts (a browser opening a
// link would otherwise hold the lock after the note pad ends).
TEST(InstanceLock, OneHolderAtATimeAcrossMovesUntilReleasedOrDestroyed) {
  TempDir dir;
  InstanceLock first, second;
  ASSERT_TRUE(first.Acquire(dir.Path(), kName));
  int found = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    if (std::filesystem::read_symlink(entry.path(), ec) != std::filesystem::canonical(dir / "TACKNOTE_SINGLE.lock"))
      continue;
    found += (::fcntl(std::stoi(entry.path().filename().string()), F_GETFD) & FD_CLOEXEC) != 0 ? 1 : 100;
  }
  EXPECT_EQ(found, 1);
  EXPECT_TRUE(first.Held());
  EXPECT_FALSE(second.Acquire(dir.Path(), kName));
  EXPECT_FALSE(second.Held());
  EXPECT_TRUE(second.Acquire(dir.Path(), "another name"));
  first.Release();
  EXPECT_FALSE(first.Held());
  {
    InstanceLock original;
    ASSERT_TRUE(original.Acquire(dir.Path(), kName));
    InstanceLock moved(std::move(original)), assigned;
    assigned = std::move(moved);
    EXPECT_TRUE(assigned.Held() && !moved.Held() && !original.Held());
    EXPECT_FALSE(FreeIn(dir.Path()));
  }
  EXPECT_TRUE(FreeIn(dir.Path()));
  // Where no lock file can be made the lock fails quietly; a link planted under its name is not followed.
  EXPECT_FALSE(first.Acquire(dir / "absent", kName));
  std::filesystem::create_symlink(dir / "elsewhere", dir / "planted.lock");
  EXPECT_EQ(first.TryAcquire(dir.Path(), "planted"), TLockResult::Unavailable);
  EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere"));
  std::filesystem::create_directory(dir / "folder.lock");
  EXPECT_EQ(first.TryAcquire(dir.Path(), "folder"), TLockResult::Unavailable);
}

TEST(InstanceLock, DefaultDirPrefersTheRuntimeFolder) {
  TempDir dir;
  {
    ScopedEnv env("XDG_RUNTIME_DIR", dir.Path().c_str());
    ::chmod(dir.Path().c_str(), 0755);  // the user's own, though others may look in
    EXPECT_EQ(InstanceLock::DefaultDir(), dir.Path());
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "/nonexistent/runtime"}) {
    ScopedEnv env("XDG_RUNTIME_DIR", unusable);
    const std::filesystem::path fallback = InstanceLock::DefaultDir();
    // A folder of this user's own inside the temporary folder, closed to everybody else.
    EXPECT_EQ(fallback, std::filesystem::temp_directory_path() / ("tacknote-" + std::to_string(::geteuid())));
    struct stat st {};
    ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode) && (st.st_mode & 077) == 0);
  }
}

// Another user took the name of our folder in the shared temporary folder and holds a lock file there;
// another user's runtime folder came along through sudo; another user planted and holds the lock file
// beside our data file. None of it stops this user's program.
TEST(InstanceLock, NoOtherUserCanHoldUsUp) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can plant files as another user";
  TempDir temp, data, foreignRuntime, notes;
  ScopedEnv tmpdir("TMPDIR", temp.Path().c_str());
  ScopedEnv dataHome("XDG_DATA_HOME", data.Path().c_str());
  ScopedEnv runtime("XDG_RUNTIME_DIR", foreignRuntime.Path().c_str());
  ASSERT_TRUE(GiveTo(foreignRuntime.Path(), kOtherUser));
  const std::filesystem::path taken = temp / ("tacknote-" + std::to_string(::geteuid()));
  std::filesystem::create_directory(taken);
  ASSERT_TRUE(GiveTo(taken, kOtherUser));
  EXPECT_EQ(InstanceLock::DefaultDir(), data / "tacknote");
  EXPECT_TRUE(FreeIn(InstanceLock::DefaultDir()));

  InstanceLock planted;
  ASSERT_EQ(planted.TryAcquireBeside(notes / "tacknote.DAT"), TLockResult::Taken);
  ASSERT_TRUE(GiveTo(notes / ".tacknote.DAT.lock", kOtherUser));
  EXPECT_EQ(InstanceLock().TryAcquireBeside(notes / "tacknote.DAT"), TLockResult::Unavailable);
}

// Two copies on one data file meet at the lock beside it, reached by any of its links: the start rows of
// the single-instance test check that, and the kill test the lock file's name. Where the folder takes no
// new file, the data file itself carries the lock, unless others may open it (and so lock it). A lock
// file the user may only read still serves: locking needs no write access.
TEST(InstanceLock, LockBesideTheDataFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "notes");
  // A link planted under the lock's name does not make the data file its own lock.
  WriteBytes(dir / "notes" / "planted.DAT", "notes");
  ::chmod((dir / "notes" / "planted.DAT").c_str(), 0600);
  std::filesystem::create_symlink(dir / "elsewhere", dir / "notes" / ".planted.DAT.lock");
  EXPECT_EQ(InstanceLock().TryAcquireBeside(dir / "notes" / "planted.DAT"), TLockResult::Unavailable);

  std::filesystem::create_directory(dir / "closed");
  for (const char* name : {"closed/private.DAT", "closed/shared.DAT", "readable.lock"}) {
    WriteBytes(dir / name, "notes");
  }
  ::chmod((dir / "closed" / "private.DAT").c_str(), 0600);
  ::chmod((dir / "closed" / "shared.DAT").c_str(), 0644);
  ::chmod((dir / "readable.lock").c_str(), 0400);
  for (const char* name : {"", "closed", "closed/private.DAT", "closed/shared.DAT", "readable.lock"}) {
    GiveTo(dir / name, kPlainUser);
  }
  ::chmod((dir / "closed").c_str(), 0555);
  const std::string problems = RunAsPlainUser([&] {
    Problems found;
    InstanceLock holder, reader;
    const int input = ::dup(0);
    ::close(0);  // the data file opened as the lock gets descriptor 0, which must serve like any other
    found.Expect(holder.TryAcquireBeside(dir / "closed" / "private.DAT") == TLockResult::Taken, "private");
    found.Expect(InstanceLock().TryAcquireBeside(dir / "closed" / "private.DAT") == TLockResult::Busy, "busy");
    holder.Release();
    ::dup2(input, 0);
    ::close(input);
    found.Expect(InstanceLock().TryAcquireBeside(dir / "closed" / "shared.DAT") == TLockResult::Unavailable, "shared");
    found.Expect(reader.Acquire(dir.Path(), "readable"), "a read-only lock file");
    return found.Found;
  });
  EXPECT_EQ(problems, "");
}

}  // namespace
