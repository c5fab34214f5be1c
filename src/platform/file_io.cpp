// Whole-file reads and whole-file replacement that never leaves a half-written file behind.
#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <system_error>

#include "platform/concat.h"

namespace platform {

namespace {

std::string Describe(int err) { return std::generic_category().message(err); }

std::string Quote(const std::filesystem::path& path) { return Concat("\"", path.string(), "\""); }

FileResult Fail(const std::string& what, const std::filesystem::path& path, int err) {
  return FileResult::Failure(Concat(what, " ", Quote(path), ": ", Describe(err)));
}

// Follows a chain of symbolic links to the file they name, so a write replaces that file and the
// links stay links. The result need not exist yet (a dangling link names the file to create).
bool ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target, FileResult& error) {
  constexpr int kMaxLinks = 40;  // the kernel's own limit on link chains
  target = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::error_code ec;
    std::filesystem::path link = std::filesystem::read_symlink(target, ec);
    if (ec) {
      error = Fail("cannot follow the link", target, ec.value());
      return false;
    }
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  error = Fail("cannot follow the link", path, ELOOP);
  return false;
}

// Six characters for a temporary name, from the kernel's random source; the clock and the attempt
// number stand in when that is unavailable, and O_EXCL catches any clash either way.
std::string RandomSuffix(unsigned attempt) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char noise[6] = {};
  if (getrandom(noise, sizeof noise, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof noise)) {
    auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    ticks ^= (static_cast<unsigned long long>(::getpid()) << 20) ^ (attempt * 0x9E3779B97F4A7C15ull);
    for (unsigned char& byte : noise) {
      byte = static_cast<unsigned char>(ticks);
      ticks = ticks * 6364136223846793005ull + 1442695040888963407ull;
      byte ^= static_cast<unsigned char>(ticks >> 56);
    }
  }
  std::string suffix;
  for (unsigned char byte : noise) suffix.push_back(kAlphabet[byte % (sizeof kAlphabet - 1)]);
  return suffix;
}

// The temporary file of one write: removed again unless Commit() is called after the rename.
class TempFile {
 public:
  TempFile() = default;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (FFd >= 0) ::close(FFd);
    if (!FPath.empty()) ::unlink(FPath.c_str());
  }

  // Creates ".<name>.XXXXXX" beside `target`. Returns 0 or the errno of the failure.
  int Create(const std::filesystem::path& target, mode_t mode) {
    std::filesystem::path dir = target.parent_path();
    // Leave room in the 255-byte name limit for the dot and the suffix.
    std::string base = target.filename().string().substr(0, 200);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate = dir / Concat(".", base, ".", RandomSuffix(attempt));
      int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd >= 0) {
        FFd = fd;
        FPath = candidate;
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  int Fd() const { return FFd; }
  const std::filesystem::path& Path() const { return FPath; }

  // Closes the descriptor; returns 0 or the errno (a late write error can surface here).
  int Close() {
    int fd = FFd;
    FFd = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

  // The temporary file has become the target: nothing is left to clean up.
  void Commit() { FPath.clear(); }

 private:
  int FFd = -1;
  std::filesystem::path FPath;
};

// Flushes the folder so the rename itself survives a power cut; not every file system allows it,
// and the data is already safe either way, so failures are ignored.
void SyncDirectory(const std::filesystem::path& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  // O_NONBLOCK keeps a FIFO from hanging the open; it is refused below as not a regular file.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT) {
      FileResult missing = FileResult::Failure(Concat(Quote(path), " does not exist"));
      missing.Missing = true;
      return missing;
    }
    return Fail("cannot open", path, err);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    return Fail("cannot examine", path, err);
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Fail("cannot read", path, EISDIR);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileResult::Failure(Concat("cannot read ", Quote(path), ": not a regular file"));
  }

  // One byte more than the size, so the read that sees the end needs no further growth.
  std::string data;
  data.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096);
  std::size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    ssize_t n = ::read(fd, data.data() + used, data.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      return Fail("cannot read", path, err);
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  data.resize(used);
  bytes.swap(data);
  return FileResult::Success();
}

ssize_t WriteCalls::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int WriteCalls::Fsync(int fd) { return ::fsync(fd); }
int WriteCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }

FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  WriteCalls calls;
  return WriteFileAtomically(path, bytes, calls);
}

FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, WriteCalls& calls) {
  if (path.empty() || !path.has_filename())
    return FileResult::Failure(Concat("cannot write ", Quote(path), ": no file name"));
  FileResult error;
  std::filesystem::path target;
  if (!ResolveLinks(path, target, error)) return error;

  struct stat old {};
  bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    int err = errno;
    return Fail("cannot examine", target, err);
  }
  if (exists && !S_ISREG(old.st_mode))
    return FileResult::Failure(Concat("cannot write ", Quote(target), ": not a regular file"));
  if (target.parent_path().empty()) target = std::filesystem::path(".") / target;

  // A replacement of an existing file starts private and takes the old mode below, so the text is never
  // readable by more people than before; a new file gets 0666 less the umask from open() itself.
  TempFile temp;
  if (int err = temp.Create(target, exists ? 0600 : 0666)) {
    return Fail("cannot create a temporary file in", target.parent_path(), err);
  }
  if (exists) {
    // Keep the owner where we may (only root may give a file away), then the mode, which chown can clear.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      if (::fchown(temp.Fd(), old.st_uid, old.st_gid) != 0) { /* best effort */
      }
    }
    if (::fchmod(temp.Fd(), old.st_mode & 07777) != 0) {
      int err = errno;
      return Fail("cannot keep the mode of", target, err);
    }
  }

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = calls.Write(temp.Fd(), data, left);
    if (n < 0) {
      int err = errno;
      if (err == EINTR) continue;
      return Fail("cannot write", target, err);
    }
    if (n == 0) return FileResult::Failure(Concat("cannot write ", Quote(target), ": nothing was written"));
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  for (;;) {
    if (calls.Fsync(temp.Fd()) == 0) break;
    int err = errno;
    if (err != EINTR) return Fail("cannot flush", target, err);
  }
  if (int err = temp.Close()) return Fail("cannot finish writing", target, err);
  if (calls.Rename(temp.Path().c_str(), target.c_str()) != 0) {
    int err = errno;
    return Fail("cannot replace", target, err);
  }
  temp.Commit();
  SyncDirectory(target.parent_path());
  return FileResult::Success();
}

}  // namespace platform
