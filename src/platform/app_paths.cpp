// The executable's own path and the Windows-style extension change that names the files beside it.
#include "platform/app_paths.h"

#include <string>
#include <system_error>

namespace platform {

std::filesystem::path ExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  // When the program file is replaced while it runs (a rebuild, an update), the kernel appends
  // " (deleted)"; the notes belong beside the path the program was started as, not beside that name.
  constexpr std::string_view kDeleted = " (deleted)";
  std::string text = exe.string();
  if (text.ends_with(kDeleted) && !std::filesystem::exists(exe, ec)) {
    text.resize(text.size() - kDeleted.size());
    return text;
  }
  return exe;
}

std::filesystem::path ChangeFileExt(const std::filesystem::path& path, std::string_view ext) {
  std::string text = path.string();
  std::size_t slash = text.rfind('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string_view name = std::string_view(text).substr(nameStart);
  std::size_t dot = text.rfind('.');
  // The extension starts at the name's last dot; a dot that opens the name (".profile") starts none,
  // and "." and ".." are folder names, not extensions.
  bool hasExtension = dot != std::string::npos && dot > nameStart && name != "..";
  if (hasExtension) text.resize(dot);
  text += ext;
  return text;
}

}  // namespace platform
