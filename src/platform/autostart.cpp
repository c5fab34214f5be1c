// Writing, testing and removing the XDG autostart entry, with the desktop entry's two layers of escaping.
#include "platform/autostart.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "platform/concat.h"

namespace platform {
namespace {

// Inside a quoted Exec argument these four need a backslash, and "%" must be doubled because field
// codes are expanded before the quoting is undone.
std::string QuoteExecArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

// Every value of a desktop file is read through the key file's own escapes first, so the backslashes
// the quoting added are doubled again and line breaks become escapes.
std::string EscapeKeyFileValue(std::string_view value) {
  std::string escaped;
  for (char c : value) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::filesystem::path EntryPath(const std::filesystem::path& dir) { return dir / kAutostartFileName; }

FileResult NoFolder() { return FileResult::Failure("no autostart folder: neither XDG_CONFIG_HOME nor HOME is set"); }

}  // namespace

std::filesystem::path DefaultAutostartDir() {
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules ask.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::filesystem::path(config) / "autostart";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::filesystem::path(home) / ".config" / "autostart";
  return {};
}

std::string AutostartExecValue(const std::filesystem::path& program) {
  return EscapeKeyFileValue(QuoteExecArgument(program.string()) + " /R");
}

std::string AutostartEntryText(const std::filesystem::path& program) {
  return Concat("[Desktop Entry]\nType=Application\nName=TACK*NOTE\nExec=", AutostartExecValue(program),
                "\nTerminal=false\n");
}

bool AutostartEntryExists(const std::filesystem::path& dir) {
  if (dir.empty()) return false;
  std::error_code ec;
  return std::filesystem::exists(EntryPath(dir), ec);
}

FileResult WriteAutostartEntry(const std::filesystem::path& dir, const std::filesystem::path& program) {
  if (dir.empty()) return NoFolder();
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) return FileResult::Failure(Concat("cannot create ", dir.string(), ": ", ec.message()));
  return WriteFileAtomically(EntryPath(dir), AutostartEntryText(program));
}

FileResult DeleteAutostartEntry(const std::filesystem::path& dir) {
  if (dir.empty()) return NoFolder();
  std::error_code ec;
  std::filesystem::remove(EntryPath(dir), ec);
  if (ec) return FileResult::Failure(Concat("cannot delete ", EntryPath(dir).string(), ": ", ec.message()));
  return FileResult::Success();
}

}  // namespace platform
