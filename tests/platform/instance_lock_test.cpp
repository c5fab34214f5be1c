// Tests of the single-instance lock: one holder at a time, and a crashed holder never keeps it.
#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>

#include "platform/concat.h"
#include "platform/temp_dir.h"

using platform::InstanceLock;
using platform_test::TempDir;

namespace {

constexpr char kName[] = "TACKNOTE_SINGLE";

bool FreeIn(const std::filesystem::path& dir) { return InstanceLock().Acquire(dir, kName); }

TEST(InstanceLock, OneHolderAtATimeAcrossMovesUntilReleasedOrDestroyed) {
  TempDir dir;
  InstanceLock first;
  ASSERT_TRUE(first.Acquire(dir.Path(), kName));
  EXPECT_TRUE(first.Held());
  InstanceLock second;
  EXPECT_FALSE(second.Acquire(dir.Path(), kName));
  EXPECT_FALSE(second.Held());
  EXPECT_TRUE(second.Acquire(dir.Path(), "another name"));
  first.Release();
  EXPECT_FALSE(first.Held());
  {
    InstanceLock original;
    ASSERT_TRUE(original.Acquire(dir.Path(), kName));
    InstanceLock moved(std::move(original));
    InstanceLock assigned;
    assigned = std::move(moved);
    EXPECT_TRUE(assigned.Held());
    EXPECT_FALSE(FreeIn(dir.Path()));
  }
  EXPECT_TRUE(FreeIn(dir.Path()));
}

TEST(InstanceLock, FailsQuietlyWhereNoLockFileCanBeMade) {
  TempDir dir;
  InstanceLock lock;
  EXPECT_FALSE(lock.Acquire(dir / "absent", kName));
  EXPECT_FALSE(lock.Held());
  // A link planted under the lock's name is not followed.
  std::filesystem::create_symlink(dir / "elsewhere", dir / "TACKNOTE_SINGLE.lock");
  EXPECT_FALSE(lock.Acquire(dir.Path(), kName));
  EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere"));
}

// The descriptor must not leak into programs this one starts (a browser opening a link would
// otherwise hold the lock after the note pad ends).
TEST(InstanceLock, DescriptorIsClosedOnExec) {
  TempDir dir;
  InstanceLock lock;
  ASSERT_TRUE(lock.Acquire(dir.Path(), kName));
  std::filesystem::path lockFile = std::filesystem::canonical(dir / "TACKNOTE_SINGLE.lock");
  int found = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    if (std::filesystem::read_symlink(entry.path(), ec) != lockFile) continue;
    EXPECT_NE(::fcntl(std::stoi(entry.path().filename().string()), F_GETFD) & FD_CLOEXEC, 0);
    ++found;
  }
  EXPECT_EQ(found, 1);
}

// A child takes the lock, tells the parent, then is killed or aborts: the lock holds while the child
// lives and is free once it is gone.
TEST(InstanceLock, CrashedHolderDoesNotKeepTheLock) {
  for (int death : {SIGKILL, SIGABRT}) {
    SCOPED_TRACE(death);
    TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      InstanceLock lock;
      char status = lock.Acquire(dir.Path(), kName) ? 'y' : 'n';
      if (::write(ready[1], &status, 1) != 1 || status != 'y') ::_exit(2);
      if (death == SIGABRT) std::abort();
      for (;;) ::pause();  // waits for SIGKILL
    }
    ::close(ready[1]);
    char status = 0;
    ASSERT_EQ(::read(ready[0], &status, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(status, 'y');
    if (death == SIGKILL) {
      EXPECT_FALSE(FreeIn(dir.Path())) << "the child's lock must hold while it runs";
      ::kill(child, SIGKILL);
    }
    int wstatus = 0;
    ASSERT_EQ(::waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(WIFSIGNALED(wstatus));
    EXPECT_EQ(WTERMSIG(wstatus), death);
    EXPECT_TRUE(FreeIn(dir.Path()));
  }
}

TEST(InstanceLock, DefaultDirPrefersTheRuntimeFolder) {
  TempDir dir;
  {
    platform_test::ScopedEnv env("XDG_RUNTIME_DIR", dir.Path().c_str());
    EXPECT_EQ(InstanceLock::DefaultDir(), dir.Path());
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "/nonexistent/runtime"}) {
    platform_test::ScopedEnv env("XDG_RUNTIME_DIR", unusable);
    std::filesystem::path fallback = InstanceLock::DefaultDir();
    // A folder of this user's own inside the temporary folder, closed to everybody else.
    EXPECT_EQ(fallback.filename(), platform::Concat("tacknote-", std::to_string(::geteuid())));
    EXPECT_TRUE(std::filesystem::equivalent(fallback.parent_path(), std::filesystem::temp_directory_path()));
    struct stat st {};
    ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u);
    EXPECT_TRUE(InstanceLock().Acquire(fallback, "platform_tests_probe"));
    std::filesystem::remove(fallback / "platform_tests_probe.lock");
  }
}

}  // namespace

namespace others {

using platform::TLockResult;
using platform_test::GiveTo;
using platform_test::kOtherUser;
using platform_test::ScopedEnv;

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
  std::filesystem::create_directory(temp / platform::Concat("tacknote-", std::to_string(::geteuid())));
  ASSERT_TRUE(GiveTo(temp / platform::Concat("tacknote-", std::to_string(::geteuid())), kOtherUser));
  InstanceLock planted;
  ASSERT_TRUE(planted.Acquire(temp.Path(), kName));
  ASSERT_TRUE(GiveTo(temp / "TACKNOTE_SINGLE.lock", kOtherUser));

  const std::filesystem::path dir = InstanceLock::DefaultDir();
  EXPECT_EQ(dir, data / "tacknote");
  EXPECT_TRUE(InstanceLock().Acquire(dir, kName));

  InstanceLock plantedBeside;
  ASSERT_EQ(plantedBeside.TryAcquireBeside(notes / "tacknote.DAT"), TLockResult::Taken);
  ASSERT_TRUE(GiveTo(notes / ".tacknote.DAT.lock", kOtherUser));
  EXPECT_EQ(InstanceLock().TryAcquireBeside(notes / "tacknote.DAT"), TLockResult::Unavailable);
}

// Two copies on one data file meet at the lock beside it; its own links lead to the same lock. Where the
// folder takes no new file, the data file itself carries the lock, unless others may open it (and so lock it).
TEST(InstanceLock, LockBesideTheDataFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "notes");
  std::filesystem::create_symlink("notes/tacknote.DAT", dir / "link.DAT");
  InstanceLock first;
  ASSERT_EQ(first.TryAcquireBeside(dir / "notes" / "tacknote.DAT"), TLockResult::Taken);
  EXPECT_EQ(InstanceLock().TryAcquireBeside(dir / "link.DAT"), TLockResult::Busy);
  first.Release();
  EXPECT_EQ(InstanceLock().TryAcquireBeside(dir / "link.DAT"), TLockResult::Taken);
  EXPECT_TRUE(std::filesystem::exists(dir / "notes" / ".tacknote.DAT.lock"));

  std::filesystem::create_directory(dir / "closed");
  platform_test::WriteBytes(dir / "closed" / "private.DAT", "notes");
  platform_test::WriteBytes(dir / "closed" / "shared.DAT", "notes");
  ::chmod((dir / "closed" / "private.DAT").c_str(), 0600);
  ::chmod((dir / "closed" / "shared.DAT").c_str(), 0644);
  for (const char* name : {"", "closed", "closed/private.DAT", "closed/shared.DAT"}) {
    GiveTo(dir / name, platform_test::kPlainUser);
  }
  ::chmod((dir / "closed").c_str(), 0555);
  std::string problems = platform_test::RunAsPlainUser([&] {
    InstanceLock holder;
    std::string found;
    if (holder.TryAcquireBeside(dir / "closed" / "private.DAT") != TLockResult::Taken) found += "private not taken; ";
    if (InstanceLock().TryAcquireBeside(dir / "closed" / "private.DAT") != TLockResult::Busy) found += "not busy; ";
    if (InstanceLock().TryAcquireBeside(dir / "closed" / "shared.DAT") != TLockResult::Unavailable) found += "shared; ";
    return found;
  });
  EXPECT_EQ(problems, "");
}

}  // namespace others
