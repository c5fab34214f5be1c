// The settings file's fuzz property, shared by the fuzz target and the test that makes its seeds: the
// values read from any file are written back and read again unchanged, and the rest of the file stays.
#pragma once

#include <string>
#include <string_view>

#include "platform/profile_file.h"
#include "store/settings.h"

namespace fuzz {

// A value is written as a C string, as the Windows profile functions write it: up to its first NUL.
inline void CutAtNul(std::string& value) {
  value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
}

// Empty when the property holds for `bytes`, else what broke.
inline std::string CheckSettings(std::string_view bytes) {
  const platform::ProfileFile file = platform::ProfileFile::Parse(bytes);
  store::TSettings window;
  store::TMemoData memo = store::BuiltInDefaultMemo();
  store::ReadSettings(file, window, memo);
  for (std::string* value : {&window.SkinFile, &window.HotKey, &memo.FontName}) CutAtNul(*value);

  platform::ProfileFile written = file;
  store::WriteSettings(written, window, memo);
  const std::string text = written.Serialize();
  store::TSettings windowAgain;
  store::TMemoData memoAgain = store::BuiltInDefaultMemo();
  store::ReadSettings(platform::ProfileFile::Parse(text), windowAgain, memoAgain);
  if (!(windowAgain == window)) return "a window value changed on the way through the file";
  if (!(memoAgain == memo)) return "a default page value changed on the way through the file";
  if (platform::ProfileFile::Parse(text).Serialize() != text) return "the written file does not read back as written";
  // Lines before the section the writer fills are never touched.
  const std::string before = file.Serialize();
  const std::size_t kept = before.find('[');
  if (kept != std::string::npos && text.compare(0, kept, before, 0, kept) != 0) return "a line before the keys changed";
  return {};
}

}  // namespace fuzz
