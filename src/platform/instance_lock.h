// The single-instance lock: a name only one running process can hold, freed by the kernel when it ends.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

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
  bool Held() const { return FFd >= 0; }
  void Release();

  // $XDG_RUNTIME_DIR when set and usable, else the system's temporary folder.
  static std::filesystem::path DefaultDir();

 private:
  int FFd = -1;
};

}  // namespace platform
