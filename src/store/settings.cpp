// Reading and writing the settings file's keys, each bound to the record field it fills and saves.
#include "store/settings.h"

#include <cerrno>
#include <exception>
#include <type_traits>
#include <variant>

#include "platform/app_paths.h"
#include "platform/profile_file.h"
#include "store/recovery_file.h"

namespace store {

namespace {

// A key's value lives either in the window's record or in DefaultMemo.
using TSettingField = std::variant<std::string TSettings::*, int32_t TSettings::*, bool TSettings::*,
                                   std::string TMemoData::*, int32_t TMemoData::*, bool TMemoData::*>;

struct TSettingKey {
  const char* Name;
  TSettingField Field;
};

// The order the keys are read in.
const TSettingKey kReadOrder[] = {
    {"SkinFile", &TSettings::SkinFile},
    {"HotKey", &TSettings::HotKey},
    {"Resident", &TSettings::Resident},
    {"Left", &TSettings::Left},
    {"Top", &TSettings::Top},
    {"Width", &TSettings::Width},
    {"Height", &TSettings::Height},
    {"WindowShade", &TSettings::WindowShade},
    {"AlwaysOnTop", &TSettings::AlwaysOnTop},
    {"AlphaBlend", &TSettings::AlphaBlend},
    {"FontName", &TMemoData::FontName},
    {"FontColor", &TMemoData::FontColor},
    {"FontSize", &TMemoData::FontSize},
    {"FontStyle", &TMemoData::FontStyle},
    {"WordWrap", &TMemoData::WordWrap},
};

// The order the keys are written in, which is the order a new file lists them in.
const TSettingKey kWriteOrder[] = {
    {"SkinFile", &TSettings::SkinFile},
    {"Left", &TSettings::Left},
    {"Top", &TSettings::Top},
    {"Width", &TSettings::Width},
    {"Height", &TSettings::Height},
    {"WindowShade", &TSettings::WindowShade},
    {"AlwaysOnTop", &TSettings::AlwaysOnTop},
    {"AlphaBlend", &TSettings::AlphaBlend},
    {"HotKey", &TSettings::HotKey},
    {"Resident", &TSettings::Resident},
    {"WordWrap", &TMemoData::WordWrap},
    {"FontColor", &TMemoData::FontColor},
    {"FontName", &TMemoData::FontName},
    {"FontSize", &TMemoData::FontSize},
    {"FontStyle", &TMemoData::FontStyle},
};

template <class Member>
struct TMemberRecord;
template <class Record, class Value>
struct TMemberRecord<Value Record::*> {
  using Type = Record;
};

// The record a member pointer belongs to, out of the window's record and DefaultMemo.
template <class Member, class Window, class Memo>
auto& RecordOf(Window& window, Memo& memo) {
  if constexpr (std::is_same_v<typename TMemberRecord<Member>::Type, TSettings>) {
    return window;
  } else {
    return memo;
  }
}

// Each read takes the field's current value as its default.
void ReadValue(const platform::ProfileFile& ini, const char* key, std::string& value) {
  value = ini.ReadString(kSettingsSection, key, value);
}
void ReadValue(const platform::ProfileFile& ini, const char* key, int32_t& value) {
  value = ini.ReadInteger(kSettingsSection, key, value);
}
void ReadValue(const platform::ProfileFile& ini, const char* key, bool& value) {
  value = ini.ReadBool(kSettingsSection, key, value);
}

void WriteValue(platform::ProfileFile& ini, const char* key, const std::string& value) {
  ini.WriteString(kSettingsSection, key, value);
}
void WriteValue(platform::ProfileFile& ini, const char* key, int32_t value) {
  ini.WriteInteger(kSettingsSection, key, value);
}
void WriteValue(platform::ProfileFile& ini, const char* key, bool value) {
  ini.WriteBool(kSettingsSection, key, value);
}

platform::FileResult WriteError(const std::filesystem::path& path, const platform::FileResult& cause) {
  platform::FileResult error = platform::FileResult::Failure("", path, cause.Reason);
  error.Errno = cause.Errno;
  error.Error = path.string() + " に書き込めません";
  return error;
}

}  // namespace

TPaths TPaths::FromExecutable(const std::filesystem::path& exe) {
  TPaths paths;
  paths.DatPath = platform::ChangeFileExt(exe, ".DAT");
  paths.IniPath = platform::ChangeFileExt(exe, ".INI");
  paths.SkinDir = exe.parent_path() / "SKINS";
  paths.RecoveryPath = TRecoveryFile::PathFor(paths.DatPath);
  return paths;
}

void ReadSettings(const platform::ProfileFile& ini, TSettings& window, TMemoData& defaultMemo) {
  for (const TSettingKey& key : kReadOrder) {
    std::visit(
        [&](auto member) {
          auto& record = RecordOf<decltype(member)>(window, defaultMemo);
          ReadValue(ini, key.Name, record.*member);
        },
        key.Field);
  }
  // The opacity is the stored value's low 8 bits (300 gives 44).
  window.AlphaBlend &= 0xFF;
}

void WriteSettings(platform::ProfileFile& ini, const TSettings& window, const TMemoData& defaultMemo) {
  for (const TSettingKey& key : kWriteOrder) {
    std::visit(
        [&](auto member) {
          const auto& record = RecordOf<decltype(member)>(window, defaultMemo);
          WriteValue(ini, key.Name, record.*member);
        },
        key.Field);
  }
}

platform::FileResult LoadSettings(const std::filesystem::path& iniPath, TSettings& window, TMemoData& defaultMemo) {
  try {
    platform::ProfileFile ini;
    platform::FileResult loaded = platform::ProfileFile::Load(iniPath, ini);
    if (!loaded.Ok) return loaded;
    ReadSettings(ini, window, defaultMemo);
    return platform::FileResult::Success();
  } catch (const std::exception& e) {
    return platform::FileResult::Failure(iniPath.string() + ": " + e.what());
  }
}

platform::FileResult SaveSettings(const std::filesystem::path& iniPath, const TSettings& window,
                                  const TMemoData& defaultMemo) {
  platform::WriteCalls calls;
  return SaveSettings(iniPath, window, defaultMemo, calls);
}

platform::FileResult SaveSettings(const std::filesystem::path& iniPath, const TSettings& window,
                                  const TMemoData& defaultMemo, platform::WriteCalls& calls) {
  try {
    // The other lines of the file are kept, so a file that is there but cannot be read is not
    // replaced by one that lacks them.
    platform::ProfileFile ini;
    const platform::FileResult loaded = platform::ProfileFile::Load(iniPath, ini);
    if (!loaded.Ok) return WriteError(iniPath, loaded);
    WriteSettings(ini, window, defaultMemo);
    return ini.Save(iniPath, calls);
  } catch (const std::exception&) {
    return WriteError(iniPath, platform::FileResult::Failure("", iniPath, ENOMEM));
  }
}

}  // namespace store
