// Naming temporary files in one place, so the start-up clean-up finds exactly what the writer leaves.
#include "platform/temp_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "platform/concat.h"
#include "platform/file_io.h"

namespace platform {

namespace {

// Leaves room for the dot, a second dot and the suffix in a 255-byte name.
constexpr std::size_t kMaxBaseBytes = 200;
constexpr std::size_t kSuffixBytes = 6;

bool IsSuffixChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

std::string TempFileName(std::string_view fileName, std::string_view suffix) {
  return Concat(".", fileName.substr(0, kMaxBaseBytes), ".", suffix);
}

namespace {

// The name of the file a temporary file stands for, as far as TempFileName kept it; empty when `name`
// is no temporary file name.
std::string_view TempBase(std::string_view name) {
  if (name.size() < 1 + 1 + kSuffixBytes || name.front() != '.') return {};
  for (char c : name.substr(name.size() - kSuffixBytes)) {
    if (!IsSuffixChar(c)) return {};
  }
  if (name[name.size() - kSuffixBytes - 1] != '.') return {};
  return name.substr(1, name.size() - kSuffixBytes - 2);
}

template <class Taken>
void RemoveMatching(const std::filesystem::path& dir, Taken taken) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& entry = it->path();
    if (!taken(entry.filename().string())) continue;
    // Never through a link, never a folder, never another user's file.
    struct stat st {};
    if (::lstat(entry.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    ::unlink(entry.c_str());
  }
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.parent_path().empty() ? "." : file.parent_path();
}

}  // namespace

bool IsTempFileNameFor(std::string_view name, std::string_view fileName) {
  const std::string_view base = TempBase(name);
  if (base.empty() || fileName.empty()) return false;
  const std::string withDot = Concat(fileName, ".");
  return base == fileName.substr(0, kMaxBaseBytes) ||
         base.starts_with(std::string_view(withDot).substr(0, kMaxBaseBytes));
}

bool IsTempFileNameWithPrefix(std::string_view name, std::string_view prefix) {
  const std::string_view base = TempBase(name);
  return !base.empty() && !prefix.empty() && base.starts_with(prefix.substr(0, kMaxBaseBytes));
}

void RemoveStrayTempFiles(const std::filesystem::path& dir, std::string_view prefix) {
  RemoveMatching(dir, [prefix](std::string_view name) { return IsTempFileNameWithPrefix(name, prefix); });
}

void RemoveStrayTempFilesOf(const std::filesystem::path& file) {
  const auto removeFor = [](const std::filesystem::path& path) {
    const std::string fileName = path.filename().string();
    RemoveMatching(FolderOf(path), [&fileName](std::string_view name) { return IsTempFileNameFor(name, fileName); });
  };
  removeFor(file);
  std::filesystem::path target;
  FileResult error;
  if (ResolveOwnLinks(file, target, error) && target != file) removeFor(target);
}

}  // namespace platform
