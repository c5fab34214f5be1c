// Where the program's files live: beside the executable, named after it.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// The running executable's full path (/proc/self/exe); empty when it cannot be read.
std::filesystem::path ExecutablePath();

// The path with its extension replaced by `ext` (".DAT"), or `ext` added when the name has none.
std::filesystem::path ChangeFileExt(const std::filesystem::path& path, std::string_view ext);

}  // namespace platform
