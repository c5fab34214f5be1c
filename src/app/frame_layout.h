// The skinned frame's geometry: where the nine pieces of the skin go at a window size, and what a press
// on the frame itself does at a point.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

#include "image/skin_image.h"

namespace app {

// A rectangle from its left, top, right and bottom edges, right and bottom exclusive (as the skin's
// rectangles are given).
constexpr QRect Ltrb(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

struct TSkinPiece {
  QRect Source;  // in the skin
  QRect Target;  // in the window, stretched to it where the sizes differ
};

inline constexpr int SkinHeight = image::TSkinImage::Height;
// Piece 4, the centre, is laid out but never drawn; rolled up, only the title-bar pieces 0 to 2 are.
inline constexpr int CentrePiece = 4;
inline constexpr int TitleBarPieces = 3;

// The nine pieces in drawing order for a window of that size; later ones cover earlier ones.
std::array<TSkinPiece, 9> SkinPieces(QSize window);
// The scroll track's and the thumb's pictures in the skin, 15 x 15 each.
inline constexpr QRect TrackSource = Ltrb(111, SkinHeight - 51, 126, SkinHeight - 36);
inline constexpr QRect ThumbSource = Ltrb(95, SkinHeight - 51, 110, SkinHeight - 36);
// The page corner: the bottom-left piece's place, which a full paint records for the mouse.
QRect PageCornerOf(QSize window);

// What a left press on the frame (on no control) does.
enum class TFrameAction { NextPage, PreviousPage, ScrollUp, ScrollDown, Size, Move };

// Tested in this order: the page corner's two halves (the corner image's diagonal divides them), the two
// scroll arrows, then the size grip when the size cursor shows, else the frame moves the window.
// `pageCorner` is empty until the first full paint, which no point matches.
TFrameAction FrameActionAt(QPoint point, QSize window, const QRect& pageCorner, bool sizeCursorShown);

// Whether the mouse over the frame shows the size cursor: the bottom-right corner of a window not rolled up.
bool InSizeGrip(QPoint point, QSize window);

}  // namespace app
