// The autostart entry that starts the program hidden at log-in: an XDG desktop file in the autostart folder.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_io.h"

namespace platform {

// The entry's file name inside the autostart folder.
inline constexpr char kAutostartFileName[] = "tacknote.desktop";

// $XDG_CONFIG_HOME/autostart when that variable holds an absolute path, otherwise $HOME/.config/autostart;
// empty when neither is known (the entry then can be neither read nor written).
std::filesystem::path DefaultAutostartDir();

// The Exec value as it stands in the file: the quoted program path and " /R", escaped so that a desktop
// hands the program exactly `program` and "/R" whatever characters the path holds.
std::string AutostartExecValue(const std::filesystem::path& program);

// The whole desktop file for `program`.
std::string AutostartEntryText(const std::filesystem::path& program);

// Whether the folder holds the program's entry.
bool AutostartEntryExists(const std::filesystem::path& dir);

// Writes the entry (creating the folder when missing) so that it starts `program` with "/R"; an old
// entry is replaced whole or left as it was.
FileResult WriteAutostartEntry(const std::filesystem::path& dir, const std::filesystem::path& program);

// Removes the entry; an entry that is not there is no failure.
FileResult DeleteAutostartEntry(const std::filesystem::path& dir);

}  // namespace platform
