// The single-instance lock over flock(), which the kernel releases with the process however it ends.
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/concat.h"
#include "platform/file_io.h"
#include "platform/rescue_folder.h"

namespace platform {

namespace {

// A folder of this user's; `privateOnly` also asks that nobody else may enter it and that it is no link
// (in a shared folder, a link could lead anywhere).
bool IsOwnFolder(const std::filesystem::path& dir, bool privateOnly) {
  struct stat st {};
  const int found = privateOnly ? ::lstat(dir.c_str(), &st) : ::stat(dir.c_str(), &st);
  return found == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (!privateOnly || (st.st_mode & 077) == 0);
}

// Opens a lock file without following a link planted under its name, creating it private when it is
// missing. flock() needs no write access, so a lock file we may only read still serves.
int OpenLockFile(const std::filesystem::path& file) {
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  return fd;
}

}  // namespace

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : FFd(other.FFd) { other.FFd = -1; }

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    Release();
    FFd = other.FFd;
    other.FFd = -1;
  }
  return *this;
}

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::Acquire(const std::filesystem::path& dir, std::string_view name) {
  return TryAcquire(dir, name) == TLockResult::Taken;
}

TLockResult InstanceLock::TryAcquire(const std::filesystem::path& dir, std::string_view name) {
  Release();
  int fd = OpenLockFile(dir / Concat(name, ".lock"));
  if (fd < 0) return TLockResult::Unavailable;
  return LockOpenFile(fd);
}

TLockResult InstanceLock::TryAcquireBeside(const std::filesystem::path& file) {
  Release();
  // The lock belongs beside the file the links end at, so two paths to one file share it.
  std::filesystem::path target;
  FileResult ignored;
  if (!ResolveOwnLinks(file, target, ignored)) target = file;
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  const std::filesystem::path lockFile = folder / Concat(".", target.filename().string(), ".lock");

  int fd = OpenLockFile(lockFile);
  bool fileItself = false;
  if (fd < 0) {
    // No new file in that folder: a save there writes the data file in place, so its inode stays and
    // can carry the lock.
    if (errno != ENOENT && errno != EACCES && errno != EROFS && errno != EPERM) return TLockResult::Unavailable;
    fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return TLockResult::Unavailable;
    fileItself = true;
  }
  struct stat st {};
  // Another user's lock file is not used, and a file others may open, others may lock: the data file
  // serves only when it is private, and our own lock file is made private.
  bool usable = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
  if (usable && (st.st_mode & 077) != 0) usable = !fileItself && ::fchmod(fd, 0600) == 0;
  if (!usable) {
    ::close(fd);
    return TLockResult::Unavailable;
  }
  return LockOpenFile(fd);
}

TLockResult InstanceLock::LockOpenFile(int fd) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const TLockResult result = errno == EWOULDBLOCK ? TLockResult::Busy : TLockResult::Unavailable;
    ::close(fd);
    return result;
  }
  FFd = fd;
  return TLockResult::Taken;
}

void InstanceLock::Release() {
  if (FFd < 0) return;
  // Closing the only descriptor of the open file drops the lock. The file stays: removing it would
  // let a starting process lock a new file while another still holds the old one.
  ::close(FFd);
  FFd = -1;
}

std::filesystem::path InstanceLock::DefaultDir() {
  std::error_code ec;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
    std::filesystem::path dir(runtime);
    // Another user's runtime folder (sudo keeps the variable) would let that user hold us up.
    if (IsOwnFolder(dir, false) && ::access(dir.c_str(), W_OK | X_OK) == 0) return dir;
  }
  std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  // The shared temporary folder is everybody's: the lock goes into a folder of this user's own, so
  // another user's running copy (or a file they left there) never stops this user's program.
  std::filesystem::path own = temp / Concat("tacknote-", std::to_string(::geteuid()));
  if ((::mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && IsOwnFolder(own, true)) return own;
  // Someone else took that name first. The user's data folder is out of their reach; when even that
  // cannot be made, the lock cannot be taken and the program starts without it.
  std::filesystem::path data = UserDataDir();
  if (!data.empty() && MakePrivateFolder(data) == 0 && IsOwnFolder(data, false)) return data;
  return own;
}

}  // namespace platform
