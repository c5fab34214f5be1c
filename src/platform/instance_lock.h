// The single-instance lock: a name only one running process can hold, freed by the kernel when it ends.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// What an attempt to take a lock found.
enum class TLockResult {
  Taken,        // the lock is ours now
  Busy,         // another process (or another InstanceLock) holds it
  Unavailable,  // no lock file could be made or opened here, or the one there is not this user's
};

// flock() on "<dir>/<name>.lock". The kernel drops the lock when the process ends in any way, a crash
// included, so a stale lock never keeps the program from starting.
class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  ~InstanceLock();

  // Takes the lock named `name` in `dir`. False when another process (or another InstanceLock) holds it,
  // or when the lock file cannot be made; the object then holds nothing.
  bool Acquire(const std::filesystem::path& dir, std::string_view name);
  TLockResult TryAcquire(const std::filesystem::path& dir, std::string_view name);

  // Takes the lock that belongs to one file: "<folder>/.<name>.lock" beside it, or, where that folder takes
  // no new file, the file itself when nobody else may open it (a file others may read, they could lock).
  // A lock file there that is not this user's is not used, so no other user can hold us up through it.
  TLockResult TryAcquireBeside(const std::filesystem::path& file);

  bool Held() const { return FFd >= 0; }
  void Release();

  // $XDG_RUNTIME_DIR when it is set, usable and this user's; else a folder of this user's own in the
  // system's temporary folder; when another user has taken that name there, the user's data folder.
  static std::filesystem::path DefaultDir();

 private:
  TLockResult LockOpenFile(int fd);

  int FFd = -1;
};

}  // namespace platform
