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

namespace platform {

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
  Release();
  std::filesystem::path file = dir / Concat(name, ".lock");
  // O_NOFOLLOW: a link planted under the lock's name must not make us create or lock another file.
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  // flock() needs no write access, so a lock file we may only read still serves.
  if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    ::close(fd);
    return false;
  }
  FFd = fd;
  return true;
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
    if (std::filesystem::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0) return dir;
  }
  std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  // The shared temporary folder is everybody's: the lock goes into a folder of this user's own, so
  // another user's running copy (or a file they left there) never stops this user's program.
  std::filesystem::path own = temp / Concat("tacknote-", std::to_string(::geteuid()));
  if (::mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) {
    struct stat st {};
    if (::lstat(own.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0) {
      return own;
    }
  }
  return temp;
}

}  // namespace platform
