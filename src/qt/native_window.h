// Where the window system really has a top-level window. Qt keeps a copy of the position, which a
// window manager placing its frame after the window is mapped can leave behind (Qt then reports 0, 0).
#pragma once

#include <QPoint>

class QWidget;

namespace qtui {

// The window's top-left corner on the screen as the X server has it; Qt's own idea of it off X11, before
// the window exists, or where the screen is scaled.
QPoint ScreenPosition(const QWidget& window);

}  // namespace qtui
