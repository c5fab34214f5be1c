// Asking the X server for a window's position through xcb.
#include "qt/native_window.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace qtui {

QPoint ScreenPosition(const QWidget& window) {
  const QPoint cached = window.pos();
  if (QGuiApplication::platformName() != QLatin1String("xcb") || window.internalWinId() == 0 ||
      window.devicePixelRatioF() != 1.0)
    return cached;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return cached;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const auto id = static_cast<xcb_window_t>(window.internalWinId());
  xcb_translate_coordinates_reply_t* reply =
      xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, id, root, 0, 0), nullptr);
  if (!reply) return cached;
  const QPoint position(reply->dst_x, reply->dst_y);
  std::free(reply);
  return position;
}

}  // namespace qtui
