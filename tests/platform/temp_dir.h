// File helpers the platform and store tests share: a scratch folder, whole-file bytes, environment
// overrides and write calls that fail on cue.
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_io.h"

namespace platform_test {

// A scratch folder for one test, removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tacknote_test.XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) FPath = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    // A test may have taken the write bit away; give it back so the folder can go.
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(FPath, ec);
  }

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(std::string_view name) const { return FPath / name; }

  // The names in the folder, hidden ones included: how a test sees a temporary file left behind.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(FPath, ec))
      names.insert(entry.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path FPath;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Sets (or with nullptr removes) an environment variable for one test and puts the old value back.
// tzset() follows both changes so that a TZ override reaches the local-time functions.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    Set(value);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() { Set(FOld ? FOld->c_str() : nullptr); }

 private:
  void Set(const char* value) {
    if (value)
      ::setenv(FName, value, 1);
    else
      ::unsetenv(FName);
    ::tzset();
  }
  const char* FName;
  std::optional<std::string> FOld;
};

// System calls that misbehave on cue: short writes, EINTR, and a chosen failure at a chosen step.
class FaultyCalls : public platform::WriteCalls {
 public:
  std::size_t MaxChunk = SIZE_MAX;  // the most one write() takes
  int WritesBeforeError = -1;       // -1: writes never fail
  int WriteError = ENOSPC;
  int InterruptEvery = 0;  // every n-th write call fails with EINTR first
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

  // The first `bytes` go through in one write, then the disk is full.
  static FaultyCalls FullAfter(std::size_t bytes) {
    FaultyCalls calls;
    calls.MaxChunk = bytes;
    calls.WritesBeforeError = bytes > 0 ? 1 : 0;
    return calls;
  }

 private:
  static int FailWith(int error) {
    errno = error;
    return -1;
  }
};

// The fuzz targets' seed corpus is what the tests already check: with TACKNOTE_SEED_DIR set (make
// fuzz-run sets it), the seeds are written to <dir>/<target>/seed-<n>.
inline void WriteSeeds(std::string_view target, const std::vector<std::string>& seeds) {
  const char* dir = std::getenv("TACKNOTE_SEED_DIR");
  if (dir == nullptr || *dir == '\0') return;
  const std::filesystem::path folder = std::filesystem::path(dir) / target;
  std::filesystem::create_directories(folder);
  for (std::size_t i = 0; i < seeds.size(); ++i) WriteBytes(folder / ("seed-" + std::to_string(i)), seeds[i]);
}

// A user id that is not the one running the tests: owner of files "another user" planted.
inline constexpr uid_t kOtherUser = 54321;
// The unprivileged user a root test run drops to where file modes must hold (nobody).
inline constexpr uid_t kPlainUser = 65534;

// Gives a file or folder to another user. Only root can; tests that need it skip otherwise.
inline bool GiveTo(const std::filesystem::path& path, uid_t uid) {
  return ::geteuid() == 0 && ::lchown(path.c_str(), uid, uid) == 0;
}

// Runs `body` as a user that file modes bind: in a child process under kPlainUser when the tests run as
// root, else right here. Returns what `body` returned (empty for success, else what went wrong), or a
// note that the child failed. The files `body` uses must be open to that user.
inline std::string RunAsPlainUser(const std::function<std::string()>& body) {
  if (::geteuid() != 0) return body();
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "no pipe";
  pid_t child = ::fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    ::close(pipeFds[0]);
    std::string result = "cannot become the plain user";
    if (::setgroups(0, nullptr) == 0 && ::setgid(kPlainUser) == 0 && ::setuid(kPlainUser) == 0) result = body();
    std::size_t done = 0;
    while (done < result.size()) {
      ssize_t n = ::write(pipeFds[1], result.data() + done, result.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status)) return "the child process died: " + result;
  return result;
}

}  // namespace platform_test
