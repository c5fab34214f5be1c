// The hot key's text ("Alt+Ctrl+M"): the one table of key names, read as the modifiers and the key the
// desktop grabs, and written from the keys the options dialog's field takes.
#pragma once

#include <Qt>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qtui {

// Modifier bits in the values the settings file's texts have always stood for.
inline constexpr unsigned MOD_ALT = 1;
inline constexpr unsigned MOD_CONTROL = 2;
inline constexpr unsigned MOD_SHIFT = 4;

struct THotKeyModifier {
  std::string_view Word;  // as a hot-key text spells it, without the "+"
  unsigned Bit;
  Qt::KeyboardModifier QtModifier;
};

// In the order a written hot-key text lists them.
inline constexpr std::array<THotKeyModifier, 3> kHotKeyModifiers = {{
    {"Shift", MOD_SHIFT, Qt::ShiftModifier},
    {"Ctrl", MOD_CONTROL, Qt::ControlModifier},
    {"Alt", MOD_ALT, Qt::AltModifier},
}};

// One key a hot-key text can name.
struct THotKeyName {
  std::string Name;          // as a written text spells it ("PgDn", "M", "F5")
  int VirtualKey = 0;        // the Windows virtual-key code the name stands for
  std::uint32_t KeySym = 0;  // the same key as an X11 keysym
  int QtKey = 0;
  bool operator==(const THotKeyName&) const = default;
};

// The key of a name in any letter case: a letter, a digit, F1-F24, or BkSp, Tab, Enter, Esc, Space, PgUp,
// PgDn, End, Home, Left, Up, Right, Down, Ins, Del. Nothing for any other name.
std::optional<THotKeyName> KeyOfHotKeyName(std::string_view name);
// The same for a Qt key (both Enter keys are "Enter"); nothing for a key no hot-key text can name.
std::optional<THotKeyName> KeyOfQtKey(int qtKey);

// Removes the leading "Shift+", "Ctrl+" and "Alt+" prefixes (any order, any letter case) from `text`, as
// the shortcut parser reads them, and returns them as MOD_ bits. A name alone after them stays.
unsigned TakeModifierPrefixes(std::string_view& text);

struct THotKey {
  unsigned Modifiers = 0;
  int VirtualKey = 0;
  std::uint32_t KeySym = 0;
  bool operator==(const THotKey&) const = default;
};

// What the grab registers: the key named after the prefixes, and as modifiers the case-sensitive words
// "Shift", "Ctrl" and "Alt" anywhere in the text. Nothing for an empty text or an unknown key name.
std::optional<THotKey> ParseHotKey(std::string_view text);

}  // namespace qtui
