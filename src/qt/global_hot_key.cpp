// XGrabKey through xcb for the global hot key, and the native event filter that sees its presses.
#include "qt/global_hot_key.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <array>
#include <cstdlib>

namespace qtui {
namespace {

// Caps Lock and Num Lock (Mod2 on every common layout) change the state a press carries.
constexpr std::array<std::uint16_t, 4> kLockVariants = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                        XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t kModifierMask = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

std::uint16_t X11Modifiers(unsigned modifiers) {
  std::uint16_t result = 0;
  if (modifiers & MOD_SHIFT) result |= XCB_MOD_MASK_SHIFT;
  if (modifiers & MOD_CONTROL) result |= XCB_MOD_MASK_CONTROL;
  if (modifiers & MOD_ALT) result |= XCB_MOD_MASK_1;
  return result;
}

xcb_connection_t* X11Connection() {
  // The offscreen platform offers the X11 interface too, with no connection behind it.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

std::uint8_t KeyCodeOf(xcb_connection_t* connection, std::uint32_t keySym) {
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
  if (!symbols) return 0;
  std::uint8_t result = 0;
  if (xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keySym)) {
    result = codes[0] == XCB_NO_SYMBOL ? 0 : codes[0];
    std::free(codes);
  }
  xcb_key_symbols_free(symbols);
  return result;
}

}  // namespace

TGlobalHotKey::TGlobalHotKey(QObject* parent) : QObject(parent) {}

TGlobalHotKey::~TGlobalHotKey() { Unregister(); }

bool TGlobalHotKey::Register(std::string_view text) {
  Unregister();
  const std::optional<THotKey> key = ParseHotKey(text);
  xcb_connection_t* connection = key ? X11Connection() : nullptr;
  if (!connection) return false;
  const std::uint8_t keyCode = KeyCodeOf(connection, key->KeySym);
  if (keyCode == 0) return false;
  const std::uint32_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const std::uint16_t modifiers = X11Modifiers(key->Modifiers);
  std::array<xcb_void_cookie_t, kLockVariants.size()> cookies{};
  for (std::size_t i = 0; i < kLockVariants.size(); ++i) {
    cookies[i] = xcb_grab_key_checked(connection, 1, root, modifiers | kLockVariants[i], keyCode, XCB_GRAB_MODE_ASYNC,
                                      XCB_GRAB_MODE_ASYNC);
  }
  bool refused = false;
  for (xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {  // BadAccess: taken elsewhere
      refused = true;
      std::free(error);
    }
  }
  if (refused) {
    for (std::uint16_t variant : kLockVariants) xcb_ungrab_key(connection, keyCode, root, modifiers | variant);
    xcb_flush(connection);
    return false;
  }
  FConnection = connection;
  FRoot = root;
  FKeyCode = keyCode;
  FModifiers = modifiers;
  QCoreApplication::instance()->installNativeEventFilter(this);
  return true;
}

void TGlobalHotKey::Unregister() {
  if (FKeyCode == 0) return;
  QCoreApplication::instance()->removeNativeEventFilter(this);
  for (std::uint16_t variant : kLockVariants) xcb_ungrab_key(FConnection, FKeyCode, FRoot, FModifiers | variant);
  xcb_flush(FConnection);
  FKeyCode = 0;
}

bool TGlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (FKeyCode == 0 || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
  const auto* press = static_cast<const xcb_key_press_event_t*>(message);
  if (press->detail != FKeyCode || (press->state & kModifierMask) != FModifiers) return false;
  emit Pressed();
  return true;
}

}  // namespace qtui
