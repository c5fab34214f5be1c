// Failure injection the platform and store tests share: write calls that fail on cue, files of another
// user, and a plain user whom file modes bind when the tests run as root.
#pragma once

#include <grp.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/file_io.h"

namespace test_support {

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
  // The child's answer comes back in a page both processes share.
  constexpr std::size_t kAnswerSize = 4096;
  void* shared = ::mmap(nullptr, kAnswerSize, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) return "no shared page";
  char* answer = static_cast<char*>(shared);
  pid_t child = ::fork();
  if (child < 0) {
    ::munmap(shared, kAnswerSize);
    return "no fork";
  }
  if (child == 0) {
    std::string result = "cannot become the plain user";
    if (::setgroups(0, nullptr) == 0 && ::setgid(kPlainUser) == 0 && ::setuid(kPlainUser) == 0) result = body();
    answer[result.copy(answer, kAnswerSize - 1)] = '\0';
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  const std::string result = answer;
  ::munmap(shared, kAnswerSize);
  if (!WIFEXITED(status)) return "the child process died: " + result;
  return result;
}

// Collects what a check inside RunAsPlainUser found wrong: `Expect(ok, what)` notes `what` when !ok.
struct Problems {
  std::string Found;
  void Expect(bool ok, const std::string& what) {
    if (!ok) Found += what + "; ";
  }
};

}  // namespace test_support
