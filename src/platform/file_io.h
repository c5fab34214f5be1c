// Whole-file reads and crash-safe whole-file writes (temporary file, flush, rename over the old one).
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The result of a file operation: ok, or the reason in words (for a message or a test).
struct FileResult {
  bool Ok = true;
  // What failed, the file and the system's reason in one English sentence.
  std::string Error;
  // Set by reads when the failure is that the file does not exist, which callers treat as "no file yet".
  bool Missing = false;
  // The file or folder a failure is about, and the system's reason alone ("No space left on device"), so a
  // caller can word its own message. WriteNewFile and WriteRescueCopy also set File on success.
  std::filesystem::path File;
  std::string Reason;
  // The errno behind Reason, so a caller can put the reason in the user's language; 0 when the reason is
  // the program's own words.
  int Errno = 0;
  // Set when a write in place failed: the complete new content sits, synced, in this file.
  std::filesystem::path SafetyCopy;

  static FileResult Success() { return {}; }
  static FileResult Failure(std::string error) {
    FileResult result;
    result.Ok = false;
    result.Error = std::move(error);
    return result;
  }
  // `what` "`file`": `reason`, with File and Reason set; the reason is the errno's text or given in words.
  static FileResult Failure(std::string_view what, const std::filesystem::path& file, int err);
  static FileResult Failure(std::string_view what, const std::filesystem::path& file, std::string_view reason);
};

// Reads the whole file into bytes. Fails (without touching `bytes`) when it cannot be opened or read;
// a file that does not exist fails with Missing set.
FileResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// The system calls a safe write goes through; tests inject one that fails half way.
class WriteCalls {
 public:
  virtual ~WriteCalls() = default;
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual int Fsync(int fd);
  virtual int Rename(const char* from, const char* to);
};

// Follows a chain of symbolic links to the file they name. Each link and the file it ends at (when that
// exists) must belong to the user running the program: a link another user planted must not make us
// write over, or into, a file of their choosing. The target need not exist (a link of ours may name the
// file to create). False, with `error` set, for another user's link or target, a loop or a bad link.
bool ResolveOwnLinks(const std::filesystem::path& path, std::filesystem::path& target, FileResult& error);

// Replaces the file's contents with `bytes`: writes a temporary file in the same folder, flushes it to
// disk and renames it over the file. On any failure the temporary file is removed and the old file is
// left exactly as it was. A new file gets mode 0666 less the umask; an existing file keeps its mode.
// A symbolic link is written through (see ResolveOwnLinks): its target file is replaced, the link stays.
// A file without write permission for us, or without any write bit (a read-only file its owner protected,
// which root too leaves alone), is refused. A file that has more than one hard link, or sits in a folder
// we may not write in, cannot be replaced by a rename without losing its links or at all: it is written
// in place, but only after the complete new content sits synced in a rescue copy (WriteRescueCopy),
// which is removed again once the file is written; if the write in place fails, the result names the copy.
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, WriteCalls& calls);

// Writes `bytes` atomically to a new file `stem` + `ext` in `dir`, or `stem`-2`ext`, `stem`-3`ext` ...
// when that name is taken: an existing file is never replaced. With `reuseSame`, a file of one of those
// names that already holds exactly `bytes` is taken instead of writing another. Ok with File set.
FileResult WriteNewFile(const std::filesystem::path& dir, std::string_view stem, std::string_view ext,
                        std::string_view bytes, bool reuseSame = false);

}  // namespace platform
