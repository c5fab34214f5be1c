// The names of the temporary files a safe write makes, and the removal of those an interrupted run left.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The temporary file beside `fileName` while it is written: ".<name>.<suffix>", the name cut so the whole
// stays within the file system's 255-byte limit. `suffix` is six random letters or digits.
std::string TempFileName(std::string_view fileName, std::string_view suffix);

// True when `name` is a temporary file name made by TempFileName for `fileName`, or for a file named
// `fileName` followed by a dot and more (".notes.DAT.a1B2c3" and ".notes.DAT.bak.a1B2c3" for "notes.DAT"):
// the data file's backup and recovery files are its own.
bool IsTempFileNameFor(std::string_view name, std::string_view fileName);

// True when `name` is a temporary file name made by TempFileName for a file whose name starts with `prefix`.
bool IsTempFileNameWithPrefix(std::string_view name, std::string_view prefix);

// Removes this user's regular files in `dir` that IsTempFileNameWithPrefix(`prefix`) names. Only safe while
// nothing else can be writing such a file: the caller holds the lock that guards them.
void RemoveStrayTempFiles(const std::filesystem::path& dir, std::string_view prefix);

// The same for the temporary files IsTempFileNameFor(`file`'s name) names: in its folder and, when it is a
// link of this user's, in its target's folder.
void RemoveStrayTempFilesOf(const std::filesystem::path& file);

}  // namespace platform
