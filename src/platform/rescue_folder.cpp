// The rescue folder: finding it, making it, and writing new files into it one writer at a time.
#include "platform/rescue_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/concat.h"
#include "platform/temp_files.h"

namespace platform {

namespace {

std::filesystem::path HomeDir() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}

// flock() on the folder itself: rescue writers of every copy of the program take turns, and the
// clean-up never removes a temporary file a running writer still needs.
class TFolderLock {
 public:
  TFolderLock(const std::filesystem::path& dir, bool wait) {
    FFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (FFd < 0) return;
    int rc;
    do {
      rc = ::flock(FFd, LOCK_EX | (wait ? 0 : LOCK_NB));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
      ::close(FFd);
      FFd = -1;
    }
  }
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;
  ~TFolderLock() {
    if (FFd >= 0) ::close(FFd);
  }
  bool Held() const { return FFd >= 0; }

 private:
  int FFd = -1;
};

}  // namespace

std::filesystem::path UserDataDir() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    return std::filesystem::path(data) / "tacknote";
  }
  std::filesystem::path home = HomeDir();
  if (home.empty()) return {};
  return home / ".local" / "share" / "tacknote";
}

int MakePrivateFolder(const std::filesystem::path& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  if (errno != ENOENT) return errno;
  const std::filesystem::path parent = dir.parent_path();
  if (!parent.empty() && parent != dir) {
    if (int err = MakePrivateFolder(parent)) return err;
  }
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  return 0;
}

FileResult WriteRescueCopy(std::string_view name, std::string_view ext, std::string_view bytes) {
  const std::filesystem::path dir = UserDataDir();
  if (dir.empty()) return FileResult::Failure("no folder for rescue files: neither XDG_DATA_HOME nor HOME is set");
  if (int err = MakePrivateFolder(dir)) return FileResult::Failure("cannot create the folder", dir, err);
  // Writing goes on without the turn when the folder cannot be locked: a rescue matters more.
  TFolderLock turn(dir, true);
  if (turn.Held()) RemoveStrayTempFiles(dir, kRescuePrefix);
  return WriteNewFile(dir, Concat(kRescuePrefix, name), ext, bytes);
}

void RemoveStrayRescueTemps() {
  const std::filesystem::path dir = UserDataDir();
  if (dir.empty()) return;
  TFolderLock turn(dir, false);
  if (turn.Held()) RemoveStrayTempFiles(dir, kRescuePrefix);
}

}  // namespace platform
