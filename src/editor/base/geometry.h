// The editor core's own value types for pixels and colours; the Qt layer converts them at its edge.
#pragma once

#include <cstdint>

namespace editor {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

// Left and top inside, right and bottom outside, as a Windows RECT.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool operator==(const TRect&) const = default;
};

// A colour as 0x00BBGGRR; the high byte is free for special values (a system colour has the top bit set).
using TColor = std::uint32_t;
// "Use the control's own colour."
inline constexpr TColor clNone = 0x1FFFFFFF;

// A set of font styles, with the same bits as the data file's font style.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

}  // namespace editor
