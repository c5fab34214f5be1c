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
  std::string Error;
  // Set by reads when the failure is that the file does not exist, which callers treat as "no file yet".
  bool Missing = false;
  static FileResult Success() { return {}; }
  static FileResult Failure(std::string error) { return {false, std::move(error)}; }
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

// Replaces the file's contents with `bytes`: writes a temporary file in the same folder, flushes it to
// disk and renames it over the file. On any failure the temporary file is removed and the old file is
// left exactly as it was. A new file gets mode 0666 less the umask; an existing file keeps its mode.
// A symbolic link is written through: its target file is replaced and the link stays.
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, WriteCalls& calls);

}  // namespace platform
