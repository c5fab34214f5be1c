// The hot key's text ("Alt+Ctrl+M") read as the modifiers and the key the desktop grabs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qtui {

// Modifier bits in the values the settings file's texts have always stood for.
inline constexpr unsigned MOD_ALT = 1;
inline constexpr unsigned MOD_CONTROL = 2;
inline constexpr unsigned MOD_SHIFT = 4;

struct THotKey {
  unsigned Modifiers = 0;
  int VirtualKey = 0;        // the Windows virtual-key code the key's name stands for
  std::uint32_t KeySym = 0;  // the same key as an X11 keysym
  bool operator==(const THotKey&) const = default;
};

// The key is the name left after the leading "Shift+", "Ctrl+" and "Alt+" prefixes (any letter case): a
// letter, a digit, F1-F24, or BkSp, Tab, Enter, Esc, Space, PgUp, PgDn, End, Home, Left, Up, Right, Down,
// Ins, Del. The modifiers are the case-sensitive words "Shift", "Ctrl" and "Alt" anywhere in the text.
// Nothing for an empty text or a key name none of these.
std::optional<THotKey> ParseHotKey(std::string_view text);

}  // namespace qtui
