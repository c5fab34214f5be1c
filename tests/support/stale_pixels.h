// What a window shows against what a fresh paint of it draws, for the Qt tests: any difference is a
// repaint the window missed or a scroll that moved the wrong pixels.
#pragma once

#include <QApplication>
#include <QImage>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <initializer_list>

namespace test_support {

// The pixels where the screen differs from a fresh paint of the top-level `window`, leaving out the
// areas given (a caret whose blink phase may differ, say); -1 when the two pictures differ in size.
inline int StalePixels(QWidget& window, std::initializer_list<QRect> ignored = {}) {
  QApplication::processEvents();
  const QImage shown = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  const QImage fresh = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  if (shown.size() != fresh.size()) return -1;
  int stale = 0;
  for (int y = 0; y < fresh.height(); ++y) {
    for (int x = 0; x < fresh.width(); ++x) {
      bool skip = false;
      for (const QRect& area : ignored) skip = skip || area.contains(x, y);
      stale += !skip && shown.pixel(x, y) != fresh.pixel(x, y);
    }
  }
  return stale;
}

}  // namespace test_support
