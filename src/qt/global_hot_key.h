// The global hot key on X11: the key grabbed on the root window, its presses reported as a signal.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>
#include <string_view>

#include "qt/hot_key_text.h"

struct xcb_connection_t;

namespace qtui {

class TGlobalHotKey : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit TGlobalHotKey(QObject* parent = nullptr);
  ~TGlobalHotKey() override;

  // Grabs the key the text names, with and without Caps Lock and Num Lock so neither blocks it. False,
  // silently, for an empty or unknown text, off the xcb platform, or when another program holds the
  // combination. A grab held before is released first.
  bool Register(std::string_view text);
  // Releases the grab; nothing when none is held.
  void Unregister();
  bool Registered() const { return FKeyCode != 0; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 signals:
  void Pressed();

 private:
  xcb_connection_t* FConnection = nullptr;
  std::uint32_t FRoot = 0;
  std::uint8_t FKeyCode = 0;
  std::uint16_t FModifiers = 0;
};

}  // namespace qtui
