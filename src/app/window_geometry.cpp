// Choosing the screen for a stored window rectangle and fitting the rectangle to it.
#include "app/window_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace app {
namespace {

// Far beyond any desktop, yet small enough that no corner of a rectangle overflows an int.
constexpr int kFar = 1 << 24;

std::int64_t OverlapArea(const QRect& a, const QRect& b) {
  const QRect both = a.intersected(b);
  return both.isEmpty() ? 0 : std::int64_t{both.width()} * both.height();
}

// Squared distance between two rectangles (0 when they touch or overlap).
std::int64_t Distance(const QRect& a, const QRect& b) {
  const std::int64_t dx = std::max<std::int64_t>({0, b.left() - a.right(), a.left() - b.right()});
  const std::int64_t dy = std::max<std::int64_t>({0, b.top() - a.bottom(), a.top() - b.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

QRect ReachableGeometry(int left, int top, int width, int height, QSize minimum, const QList<QRect>& availableAreas) {
  QRect stored(std::clamp(left, -kFar, kFar), std::clamp(top, -kFar, kFar), std::clamp(width, minimum.width(), kFar),
               std::clamp(height, minimum.height(), kFar));
  if (availableAreas.isEmpty()) return stored;
  const QRect* screen = &availableAreas.front();
  std::int64_t bestOverlap = 0;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  for (const QRect& area : availableAreas) {
    const std::int64_t overlap = OverlapArea(stored, area);
    const std::int64_t distance = Distance(stored, area);
    if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && distance < bestDistance)) {
      screen = &area;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  stored.setWidth(std::max(minimum.width(), std::min(stored.width(), screen->width())));
  stored.setHeight(std::max(minimum.height(), std::min(stored.height(), screen->height())));
  const bool onSomeScreen = std::any_of(availableAreas.begin(), availableAreas.end(),
                                        [&stored](const QRect& area) { return stored.intersects(area); });
  if (!onSomeScreen) {
    stored.moveLeft(
        std::clamp(stored.left(), screen->left(), std::max(screen->left(), screen->right() - stored.width() + 1)));
    stored.moveTop(
        std::clamp(stored.top(), screen->top(), std::max(screen->top(), screen->bottom() - stored.height() + 1)));
  }
  return stored;
}

}  // namespace app
