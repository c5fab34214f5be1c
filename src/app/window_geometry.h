// Where a stored window position and size may put the window: somewhere the user can reach it.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace app {

// The stored rectangle fitted to the screens' available areas. Its size is held between `minimum` and
// the size of the screen it overlaps most (or, overlapping none, the nearest one); a window left wholly
// off every screen is moved onto that one, and one that shows on a screen keeps its place. Any int is
// taken, however absurd. With no screen, only the size limits apply.
QRect ReachableGeometry(int left, int top, int width, int height, QSize minimum, const QList<QRect>& availableAreas);

}  // namespace app
