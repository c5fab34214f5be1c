// The frame's pieces and mouse areas as arithmetic on the window size.
#include "app/frame_layout.h"

namespace app {

std::array<TSkinPiece, 9> SkinPieces(QSize window) {
  const int w = window.width();
  const int h = window.height();
  constexpr int sh = SkinHeight;
  return {{
      {Ltrb(0, 0, 35, 18), Ltrb(0, 0, 35, 18)},
      {Ltrb(36, 0, 38, 18), Ltrb(22, 0, w - 92, 18)},
      {Ltrb(39, 0, 131, 18), Ltrb(w - 92, 0, w, 18)},
      {Ltrb(0, sh - 38, 18, sh - 36), Ltrb(0, 18, 18, h - 35)},
      {Ltrb(36, 38, 38, 39), Ltrb(0, 0, w, h)},
      {Ltrb(39, sh - 38, 131, sh - 36), Ltrb(w - 92, 18, w, h - 35)},
      {Ltrb(0, sh - 35, 35, sh), Ltrb(0, h - 35, 35, h)},
      {Ltrb(36, sh - 35, 38, sh), Ltrb(35, h - 35, w - 80, h)},
      {Ltrb(39, sh - 35, 131, sh), Ltrb(w - 92, h - 35, w, h)},
  }};
}

QRect PageCornerOf(QSize window) { return SkinPieces(window)[6].Target; }

TFrameAction FrameActionAt(QPoint point, QSize window, const QRect& pageCorner, bool sizeCursorShown) {
  const int x = point.x();
  const int y = point.y();
  const int w = window.width();
  const int h = window.height();
  if (x > 5 && x < pageCorner.width() && y > pageCorner.top()) {
    // The lower-left triangle turns forward, the upper-right one back.
    return y - pageCorner.top() >= x - 5 ? TFrameAction::NextPage : TFrameAction::PreviousPage;
  }
  if (x > w - 21 && x < w - 4) {
    if (y > h - 35 && y < h - 29) return TFrameAction::ScrollUp;
    if (y > h - 27 && y < h - 20) return TFrameAction::ScrollDown;
  }
  return sizeCursorShown ? TFrameAction::Size : TFrameAction::Move;
}

bool InSizeGrip(QPoint point, QSize window) {
  return window.height() > 21 && point.x() > window.width() - 20 && point.y() > window.height() - 19;
}

}  // namespace app
