// Writing, dating, reading and removing the recovery file.
#include "store/recovery_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <string>

#include "platform/concat.h"
#include "store/memo_file.h"

namespace store {

namespace {

bool ModifiedTime(const std::filesystem::path& path, timespec& time) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  time = st.st_mtim;
  return true;
}

}  // namespace

std::filesystem::path TRecoveryFile::PathFor(const std::filesystem::path& dataFile) {
  return platform::Concat(dataFile.string(), ".recovery");
}

platform::FileResult TRecoveryFile::Write(const std::vector<TMemoData>& pages) const {
  try {
    std::string bytes;
    int32_t badIndex = -1;
    switch (BuildMemoFile(pages, bytes, badIndex)) {
      case SaveOk:
        return platform::WriteFileAtomically(FPath, bytes);
      case SaveBadText:
        return platform::FileResult::Failure(
            "left as it was", FPath,
            platform::Concat("page ", std::to_string(badIndex + 1), " holds a line the file cannot hold"));
      case SaveFailed:
        break;
    }
  } catch (const std::exception&) {
  }
  return platform::FileResult::Failure("cannot write", FPath, "out of memory");
}

bool TRecoveryFile::NewerThan(const std::filesystem::path& dataFile) const {
  timespec recovery{};
  timespec data{};
  if (!ModifiedTime(FPath, recovery)) return false;
  if (!ModifiedTime(dataFile, data)) return errno == ENOENT;
  return recovery.tv_sec > data.tv_sec || (recovery.tv_sec == data.tv_sec && recovery.tv_nsec > data.tv_nsec);
}

platform::FileResult TRecoveryFile::Read(std::vector<TMemoData>& pages) const {
  try {
    std::string bytes;
    platform::FileResult read = platform::ReadWholeFile(FPath, bytes);
    if (!read.Ok) return read;
    std::vector<TMemoData> found;
    bool complete = true;
    if (!ParseMemoFile(bytes, found, complete) || !complete) {
      return platform::FileResult::Failure("cannot read", FPath, "the file is damaged");
    }
    if (found.empty()) return platform::FileResult::Failure("cannot read", FPath, "the file holds no page");
    pages = std::move(found);
    return platform::FileResult::Success();
  } catch (const std::exception&) {
    return platform::FileResult::Failure("cannot read", FPath, "out of memory");
  }
}

platform::FileResult TRecoveryFile::Delete() const {
  if (::unlink(FPath.c_str()) != 0 && errno != ENOENT)
    return platform::FileResult::Failure("cannot remove", FPath, errno);
  return platform::FileResult::Success();
}

}  // namespace store
