// The settings file: window geometry and switches, skin, hot key and the defaults for new pages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/file_io.h"
#include "platform/profile_file.h"
#include "store/memo_data.h"

namespace store {

// The window's stored values. The defaults are the note window's design values; the window applies the
// record after LoadSettings and fills it again before SaveSettings.
struct TSettings {
  std::string SkinFile = "DEFAULT.BMP";  // a bare file name inside the skins folder
  std::string HotKey = "Alt+Ctrl+M";     // empty for none
  bool Resident = false;                 // the close button hides instead of ending
  int32_t Left = 247;
  int32_t Top = 142;
  int32_t Width = 352;
  int32_t Height = 355;  // the unshaded height
  bool WindowShade = false;
  bool AlwaysOnTop = false;
  int32_t AlphaBlend = 255;  // 0-255: the low 8 bits of the stored value

  bool operator==(const TSettings&) const = default;
};

// The paths fixed from the executable's path.
struct TPaths {
  std::filesystem::path DatPath;       // executable with ".DAT"
  std::filesystem::path IniPath;       // executable with ".INI"
  std::filesystem::path SkinDir;       // "SKINS" beside the executable
  std::filesystem::path RecoveryPath;  // the data file's recovery file, beside it
  static TPaths FromExecutable(const std::filesystem::path& exe);
};

inline constexpr char kSettingsSection[] = "TACKNOTE";

// Reads the keys from a profile already in memory, as LoadSettings does, and writes them into one, as
// SaveSettings does (the fixed write order, every other line kept).
void ReadSettings(const platform::ProfileFile& ini, TSettings& window, TMemoData& defaultMemo);
void WriteSettings(platform::ProfileFile& ini, const TSettings& window, const TMemoData& defaultMemo);

// Reads the settings file in the fixed key order. `window` holds the window's current values, which are
// the defaults of its keys; `defaultMemo` supplies the defaults of the five font and word-wrap keys and
// receives their values. A missing file leaves everything at its defaults. Fails only when the file
// exists but cannot be read (the values are then left at their defaults).
platform::FileResult LoadSettings(const std::filesystem::path& iniPath, TSettings& window, TMemoData& defaultMemo);

// Writes every key in the fixed write order, keeping the file's other lines. On failure the old file is
// left as it was and the error reads "<path> に書き込めません".
platform::FileResult SaveSettings(const std::filesystem::path& iniPath, const TSettings& window,
                                  const TMemoData& defaultMemo);
platform::FileResult SaveSettings(const std::filesystem::path& iniPath, const TSettings& window,
                                  const TMemoData& defaultMemo, platform::WriteCalls& calls);

}  // namespace store
