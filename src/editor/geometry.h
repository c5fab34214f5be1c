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

// A colour as 0x00BBGGRR; a value with the top bit set names a system colour.
using TColor = int32_t;

}  // namespace editor
