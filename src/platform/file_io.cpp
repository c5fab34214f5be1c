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
#include "platform/rescue_folder.h"
#include "platform/temp_files.h"

namespace platform {

namespace {

std::string Quote(const std::filesystem::path& path) { return Concat("\"", path.string(), "\""); }

FileResult Fail(std::string_view what, const std::filesystem::path& path, int err) {
  return FileResult::Failure(what, path, err);
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
    const std::string name = target.filename().string();
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      std::filesystem::path candidate = dir / TempFileName(name, RandomSuffix(attempt));
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

// Writes every byte through `calls`, going on after short writes and interruptions.
FileResult WriteAll(WriteCalls& calls, int fd, std::string_view bytes, const std::filesystem::path& target) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = calls.Write(fd, data, left);
    if (n < 0) {
      int err = errno;
      if (err == EINTR) continue;
      return Fail("cannot write", target, err);
    }
    if (n == 0) return FileResult::Failure("cannot write", target, "nothing was written");
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return FileResult::Success();
}

FileResult Flush(WriteCalls& calls, int fd, const std::filesystem::path& target) {
  for (;;) {
    if (calls.Fsync(fd) == 0) return FileResult::Success();
    int err = errno;
    if (err != EINTR) return Fail("cannot flush", target, err);
  }
}

// A file its owner protected stays protected: without write permission for us, or without any write bit
// at all (which does not stop root), the rename-based save must not replace it.
FileResult CheckWritable(const std::filesystem::path& target, const struct stat& st) {
  if ((st.st_mode & 0222) == 0) {
    FileResult refused = FileResult::Failure("cannot write", target, "the file is read-only");
    refused.Errno = EACCES;  // what the kernel itself tells anyone but root
    return refused;
  }
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Fail("cannot write", target, errno);
  return FileResult::Success();
}

bool FolderWritable(const std::filesystem::path& dir) {
  return ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Overwrites the file itself, which keeps its hard links and needs no room in its folder. A crash half way
// would leave it half written, so the complete new content is first put, synced, into a rescue copy.
FileResult WriteInPlace(const std::filesystem::path& target, std::string_view bytes, WriteCalls& calls) {
  const FileResult copy = WriteRescueCopy(target.stem().string(), target.extension().string(), bytes);
  if (!copy.Ok) {
    FileResult failed = FileResult::Failure(
        Concat("cannot write ", Quote(target), " in place without a complete copy first: ", copy.Error));
    failed.File = target;
    failed.Reason = copy.Reason;
    failed.Errno = copy.Errno;
    return failed;
  }
  FileResult result;
  int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    result = Fail("cannot open", target, errno);
  } else {
    result = WriteAll(calls, fd, bytes, target);
    if (result.Ok && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
      result = Fail("cannot write", target, errno);
    if (result.Ok) result = Flush(calls, fd, target);
    if (::close(fd) != 0 && result.Ok) result = Fail("cannot finish writing", target, errno);
  }
  if (!result.Ok) {
    // The file may be half written now: the copy is where the content is, and the message says so.
    result.SafetyCopy = copy.File;
    result.Error = Concat(result.Error, "; the new content is in ", Quote(copy.File));
    return result;
  }
  ::unlink(copy.File.c_str());
  return FileResult::Success();
}

}  // namespace

FileResult FileResult::Failure(std::string_view what, const std::filesystem::path& file, int err) {
  FileResult result = Failure(what, file, std::generic_category().message(err));
  result.Errno = err;
  return result;
}

FileResult FileResult::Failure(std::string_view what, const std::filesystem::path& file, std::string_view reason) {
  FileResult result = Failure(Concat(what, " ", Quote(file), ": ", reason));
  result.File = file;
  result.Reason = reason;
  return result;
}

bool ResolveOwnLinks(const std::filesystem::path& path, std::filesystem::path& target, FileResult& error) {
  constexpr int kMaxLinks = 40;  // the kernel's own limit on link chains
  const uid_t me = ::geteuid();
  target = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) return true;
    if (!S_ISLNK(st.st_mode)) {
      if (hop > 0 && st.st_uid != me) {
        error = FileResult::Failure("cannot write through the link", path, "its target belongs to another user");
        error.Errno = EACCES;  // as the kernel answers a link it protects
        return false;
      }
      return true;
    }
    if (st.st_uid != me) {
      error = FileResult::Failure("cannot write through the link", target, "the link belongs to another user");
      error.Errno = EACCES;
      return false;
    }
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

FileResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  // O_NONBLOCK keeps a FIFO from hanging the open; it is refused below as not a regular file.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT) {
      FileResult missing = FileResult::Failure(Concat(Quote(path), " does not exist"));
      missing.Missing = true;
      missing.File = path;
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
    return FileResult::Failure("cannot read", path, "not a regular file");
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
  if (path.empty() || !path.has_filename()) return FileResult::Failure("cannot write", path, "no file name");
  FileResult error;
  std::filesystem::path target;
  if (!ResolveOwnLinks(path, target, error)) return error;

  struct stat old {};
  bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return Fail("cannot examine", target, errno);
  if (exists && !S_ISREG(old.st_mode)) return FileResult::Failure("cannot write", target, "not a regular file");
  if (target.parent_path().empty()) target = std::filesystem::path(".") / target;
  if (exists) {
    if (FileResult writable = CheckWritable(target, old); !writable.Ok) return writable;
    if (old.st_nlink > 1 || !FolderWritable(target.parent_path())) return WriteInPlace(target, bytes, calls);
  }

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
    if (::fchmod(temp.Fd(), old.st_mode & 07777) != 0) return Fail("cannot keep the mode of", target, errno);
  }

  if (FileResult written = WriteAll(calls, temp.Fd(), bytes, target); !written.Ok) return written;
  if (FileResult flushed = Flush(calls, temp.Fd(), target); !flushed.Ok) return flushed;
  if (int err = temp.Close()) return Fail("cannot finish writing", target, err);
  if (calls.Rename(temp.Path().c_str(), target.c_str()) != 0) return Fail("cannot replace", target, errno);
  temp.Commit();
  SyncDirectory(target.parent_path());
  return FileResult::Success();
}

FileResult WriteNewFile(const std::filesystem::path& dir, std::string_view stem, std::string_view ext,
                        std::string_view bytes, bool reuseSame) {
  constexpr int kMaxTries = 1000;
  for (int n = 1; n <= kMaxTries; ++n) {
    const std::filesystem::path candidate =
        dir / (n == 1 ? Concat(stem, ext) : Concat(stem, "-", std::to_string(n), ext));
    struct stat st {};
    if (::lstat(candidate.c_str(), &st) == 0) {
      std::string there;
      if (reuseSame && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
          static_cast<std::size_t>(st.st_size) == bytes.size() && ReadWholeFile(candidate, there).Ok &&
          there == bytes) {
        FileResult same = FileResult::Success();
        same.File = candidate;
        return same;
      }
      continue;
    }
    if (errno != ENOENT) return Fail("cannot examine", candidate, errno);
    FileResult result = WriteFileAtomically(candidate, bytes);
    if (result.Ok) result.File = candidate;
    return result;
  }
  return Fail("cannot find a free name in", dir, EEXIST);
}

}  // namespace platform
