// Taking both locks at start, and clearing what an interrupted earlier run left under their cover.
#include "platform/single_instance.h"

#include "platform/rescue_folder.h"
#include "platform/temp_files.h"

namespace platform {

bool TSingleInstance::Start(const std::filesystem::path& lockDir, std::string_view name,
                            const std::vector<std::filesystem::path>& files) {
  if (FUserLock.TryAcquire(lockDir, name) == TLockResult::Busy) return false;
  if (!files.empty() && FFileLock.TryAcquireBeside(files.front()) == TLockResult::Busy) {
    FUserLock.Release();
    return false;
  }
  // The lock beside the data file is what keeps every other copy from writing these files; without it
  // a temporary file here might be another copy's save in progress.
  if (FFileLock.Held()) {
    for (const std::filesystem::path& file : files) RemoveStrayTempFilesOf(file);
  }
  RemoveStrayRescueTemps();
  return true;
}

}  // namespace platform
