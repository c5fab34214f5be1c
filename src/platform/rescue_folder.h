// The user's own data folder, where pages go when the file they belong in cannot be written.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/file_io.h"

namespace platform {

// Every file the program leaves in the rescue folder starts with this, so a folder shared with the
// installed program (the default install puts it there) still shows at once which files are rescues.
inline constexpr char kRescuePrefix[] = "tacknote-rescue-";

// $XDG_DATA_HOME/tacknote when XDG_DATA_HOME is an absolute path, else ~/.local/share/tacknote ($HOME,
// or the home folder of the user's account). Empty when neither is known.
std::filesystem::path UserDataDir();

// Creates the folder and any missing parents, private to the user (0700); an existing folder is left
// as it is. Returns 0 or the errno of the failure.
int MakePrivateFolder(const std::filesystem::path& dir);

// Writes `bytes` to a new file kRescuePrefix + `name` + `ext` in UserDataDir() (or "-2", "-3" ... before
// `ext` when that name is taken), through the atomic write, and never replaces a file that is there.
// Ok with File set to the path written, or the failure naming the file or folder and the system's reason.
// Writers take turns on the folder, and each first removes what an interrupted one left.
FileResult WriteRescueCopy(std::string_view name, std::string_view ext, std::string_view bytes);

// Removes the temporary files interrupted rescue writes left, unless a rescue write is running now.
void RemoveStrayRescueTemps();

}  // namespace platform
