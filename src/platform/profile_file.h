// Windows-style profile (INI) files with the semantics of GetPrivateProfileStringA and WritePrivateProfileStringA.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"

namespace platform {

// One profile file held in memory as its lines, so a write keeps every other line as it was.
// Section and key names compare case-insensitively (ASCII); the first matching section and the first
// matching key win, as on Windows. Reads return values with surrounding blanks removed and one pair of
// enclosing quotes stripped, cut at 2047 bytes. Lines are kept byte for byte (code page 932).
class ProfileFile {
 public:
  // Reads the file; a missing file is an empty profile. Fails only when the file exists but cannot be read.
  static FileResult Load(const std::filesystem::path& path, ProfileFile& out);

  // Parses profile text (any of CR LF, CR, LF line breaks).
  static ProfileFile Parse(std::string_view text);

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // The value parsed by ParseInt32; the default when the key is missing or does not parse.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  // ReadInteger(...) != 0, as TIniFile's ReadBool.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Sets the key's value: replaces the first matching key line, or adds "key=value" at the end of the
  // section's keys, or adds the section at the end of the file.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"

  // The file's text: every line followed by CR LF.
  std::string Serialize() const;

  // Writes Serialize() to the file through WriteFileAtomically. On failure the error text is
  // "<path> に書き込めません" (the path in the file system's own encoding); File, Reason and SafetyCopy
  // are those of the write.
  FileResult Save(const std::filesystem::path& path) const;
  FileResult Save(const std::filesystem::path& path, WriteCalls& calls) const;

 private:
  std::vector<std::string> FLines;
};

}  // namespace platform
