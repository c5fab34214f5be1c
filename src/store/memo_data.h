// One page of the note as a plain value record, and the store's shared constants.
#pragma once

#include <cstdint>
#include <string>

namespace store {

// The default title of a new page, "無題", in code page 932.
inline constexpr char kDefaultTitle[] = "\x96\xB3\x91\xE8";
// The default font face, "ＭＳ ゴシック", in code page 932.
inline constexpr char kDefaultFontName[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
inline constexpr char kLineBreak[] = "\r\n";
inline constexpr char kBeginMarker[] = "{$BEGIN}";
inline constexpr char kEndMarker[] = "{$END}";

// A page. Strings are code page 932 bytes, never converted. The fields marked carried only are read,
// kept and written back; nothing else gives them a meaning.
struct TMemoData {
  int32_t Reserved0 = 0;  // carried only; always written as 0
  std::string Title;
  int32_t Reserved1 = 0;       // carried only
  int32_t Reserved2 = 0;       // carried only
  int32_t Reserved3 = 0;       // carried only
  int32_t Reserved4 = 0;       // carried only
  bool ReservedFlag1 = false;  // carried only
  bool ReservedFlag2 = false;  // carried only
  int32_t Reserved5 = 0;       // carried only
  int32_t FontColor = 0;       // 0x00BBGGRR; a system colour has the top bit set
  std::string FontName;
  int32_t FontSize = 0;   // points
  int32_t FontStyle = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out (low 8 bits)
  bool WordWrap = false;
  int32_t Reserved6 = 0;  // carried only; 255 when an older file lacks it
  std::string Created;    // "yyyymmddhhmmss"
  std::string Updated;    // "yyyymmddhhmmss"
  std::string Text;       // lines separated by CR LF

  bool operator==(const TMemoData&) const = default;
};

// The record every new page is copied from, with the built-in defaults.
TMemoData BuiltInDefaultMemo();

}  // namespace store
