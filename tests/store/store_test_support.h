// Helpers the store tests share: a scratch folder, whole-file access and write calls that fail on purpose.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_io.h"

namespace store_test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TTempDir {
 public:
  TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "store_test_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) FPath = pattern;
  }
  ~TTempDir() {
    std::error_code error;
    if (!FPath.empty()) std::filesystem::remove_all(FPath, error);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(std::string_view name) const { return FPath / name; }

 private:
  std::filesystem::path FPath;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The number of entries in a folder: a failed save must not leave a temporary file behind.
inline int CountEntries(const std::filesystem::path& dir) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

// Write calls that let `budget` bytes through and then fail as a full disk does; optionally the flush
// or the rename fails instead.
class TFailingWriteCalls : public platform::WriteCalls {
 public:
  enum class TFailAt { Write, Fsync, Rename };
  explicit TFailingWriteCalls(TFailAt failAt, std::size_t budget = 0) : FFailAt(failAt), FBudget(budget) {}

  ssize_t Write(int fd, const void* data, std::size_t size) override {
    if (FFailAt != TFailAt::Write) return platform::WriteCalls::Write(fd, data, size);
    if (FBudget == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t now = size < FBudget ? size : FBudget;
    const ssize_t written = platform::WriteCalls::Write(fd, data, now);
    if (written > 0) FBudget -= static_cast<std::size_t>(written);
    return written;
  }
  int Fsync(int fd) override {
    if (FFailAt != TFailAt::Fsync) return platform::WriteCalls::Fsync(fd);
    errno = EIO;
    return -1;
  }
  int Rename(const char* from, const char* to) override {
    if (FFailAt != TFailAt::Rename) return platform::WriteCalls::Rename(from, to);
    errno = EACCES;
    return -1;
  }

 private:
  TFailAt FFailAt;
  std::size_t FBudget;
};

}  // namespace store_test
