// The thumb's position and the top row it stands for.
#include "app/thumb_math.h"

#include <algorithm>
#include <cmath>

namespace app {

std::optional<int> ThumbTop(const TScrollState& editor, int areaHeight) {
  if (editor.LineCount < editor.VisibleRows - 1) return std::nullopt;
  const int bottom = areaHeight - ThumbHeight;
  const int range = editor.LineCount - editor.VisibleRows;
  int top = 0;
  if (editor.TopRow == 0) {
    top = 0;
  } else if (range == 0) {
    top = bottom;
  } else {
    top = (areaHeight * editor.TopRow - 20) / range;
  }
  // A view scrolled past text shorter than itself divides by a negative range: the thumb would leave the
  // track upwards and vanish while it is meant to show.
  return std::max(0, std::min(top, bottom));
}

std::optional<int> TopRowOfThumb(int thumbTop, int areaHeight, const TScrollState& editor) {
  const int range = areaHeight - ThumbHeight - 5;
  if (range <= 0) return std::nullopt;
  // nearbyint rounds halves to even in the default rounding mode.
  const double percent = std::nearbyint(static_cast<double>(thumbTop) / range * 100.0);
  if (percent > 96) return editor.TotalRows - editor.VisibleRows;
  return static_cast<int>(std::nearbyint(editor.LineCount / 100.0 * percent));
}

int DraggedThumbTop(int top, int areaHeight) {
  const int bottom = areaHeight - ThumbHeight;
  if (top < 0) return 0;
  if (top >= bottom - 10) return bottom;
  return top;
}

}  // namespace app
