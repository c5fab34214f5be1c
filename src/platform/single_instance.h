// One running copy per user and per data file, and the clean-up that only the one running copy may do.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/instance_lock.h"

namespace platform {

// Holds, for its life, the user's single-instance lock and the lock beside the data file. Two copies
// started with different runtime folders (a desktop and su, sudo or cron) share no single-instance lock,
// but they do share the one beside the data file.
class TSingleInstance {
 public:
  TSingleInstance() = default;
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // Takes the lock named `name` in `lockDir` and the lock beside files.front() (the data file). False when
  // another copy holds either: this copy must end at once. A lock that cannot be made at all (a read-only
  // folder, or a lock file another user planted) does not stop the start. Once both are ours (or the one
  // beside the data file is), removes the temporary files that interrupted saves of `files` left, and
  // those of interrupted rescue writes.
  bool Start(const std::filesystem::path& lockDir, std::string_view name,
             const std::vector<std::filesystem::path>& files);

  bool HoldsUserLock() const { return FUserLock.Held(); }
  bool HoldsFileLock() const { return FFileLock.Held(); }

 private:
  InstanceLock FUserLock;
  InstanceLock FFileLock;
};

}  // namespace platform
