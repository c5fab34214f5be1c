// The skinned scroll bar's arithmetic: where the thumb stands for the editor's top row, and the top row
// a thumb position asks for.
#pragma once

#include <optional>

namespace app {

inline constexpr int ThumbHeight = 15;

// What the scroll bar reads of the editor. LineCount counts logical lines, TotalRows the rows they take.
struct TScrollState {
  int LineCount = 0;
  int VisibleRows = 1;
  int TopRow = 0;
  int TotalRows = 0;
};

// The thumb's top in a track `areaHeight` high; nothing when the thumb is hidden (fewer lines than fit
// the view, less one). The thumb never goes below the track's end nor above its start.
std::optional<int> ThumbTop(const TScrollState& editor, int areaHeight);

// The top row a thumb at `thumbTop` shows: the last page from 97 percent of the range down, else that
// share of the lines (the percentage and the row rounded halves to even). Nothing for a track too short
// to have a range.
std::optional<int> TopRowOfThumb(int thumbTop, int areaHeight, const TScrollState& editor);

// Where a dragged thumb goes for the pointer at `top` (track coordinates): never above the track, and
// snapped to the end within its last 10 pixels.
int DraggedThumbTop(int top, int areaHeight);

// The wheel's rows per notch: half the desktop's scroll lines, rounded toward zero.
inline int WheelRows(int scrollLines) { return scrollLines / 2; }

}  // namespace app
