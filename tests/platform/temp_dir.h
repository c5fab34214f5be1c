// File helpers the platform and store tests share: a scratch folder, whole-file bytes, environment
// overrides and write calls that fail on cue.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

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

}  // namespace platform_test
