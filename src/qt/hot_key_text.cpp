// The key names of hot-key texts with their virtual-key codes, X11 keysyms and Qt keys.
#include "qt/hot_key_text.h"

#include <cctype>

namespace qtui {
namespace {

struct TNamedKey {
  std::string_view Name;
  int VirtualKey;
  std::uint32_t KeySym;
  int QtKey;
};

// Letters, digits and F1-F24 are named by rule; these by the table. Qt has two Enter keys, both "Enter".
constexpr std::array<TNamedKey, 16> kNamedKeys = {{
    {"BkSp", 0x08, 0xFF08, Qt::Key_Backspace},
    {"Tab", 0x09, 0xFF09, Qt::Key_Tab},
    {"Enter", 0x0D, 0xFF0D, Qt::Key_Return},
    {"Enter", 0x0D, 0xFF0D, Qt::Key_Enter},
    {"Esc", 0x1B, 0xFF1B, Qt::Key_Escape},
    {"Space", 0x20, 0x0020, Qt::Key_Space},
    {"PgUp", 0x21, 0xFF55, Qt::Key_PageUp},
    {"PgDn", 0x22, 0xFF56, Qt::Key_PageDown},
    {"End", 0x23, 0xFF57, Qt::Key_End},
    {"Home", 0x24, 0xFF50, Qt::Key_Home},
    {"Left", 0x25, 0xFF51, Qt::Key_Left},
    {"Up", 0x26, 0xFF52, Qt::Key_Up},
    {"Right", 0x27, 0xFF53, Qt::Key_Right},
    {"Down", 0x28, 0xFF54, Qt::Key_Down},
    {"Ins", 0x2D, 0xFF63, Qt::Key_Insert},
    {"Del", 0x2E, 0xFFFF, Qt::Key_Delete},
}};

constexpr int kMaxFunctionKey = 24;

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

THotKeyName Letter(char upper) {
  // Keysyms of letters are lower case; virtual keys and Qt keys upper case.
  return {std::string(1, upper), upper, static_cast<std::uint32_t>(std::tolower(upper)), upper};
}

THotKeyName Digit(char digit) { return {std::string(1, digit), digit, static_cast<std::uint32_t>(digit), digit}; }

THotKeyName FunctionKey(int number) {
  return {"F" + std::to_string(number), 0x70 + number - 1, 0xFFBEu + static_cast<std::uint32_t>(number - 1),
          Qt::Key_F1 + number - 1};
}

THotKeyName Named(const TNamedKey& key) { return {std::string(key.Name), key.VirtualKey, key.KeySym, key.QtKey}; }

}  // namespace

std::optional<THotKeyName> KeyOfHotKeyName(std::string_view name) {
  if (name.size() == 1) {
    const auto c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (c >= 'A' && c <= 'Z') return Letter(c);
    if (c >= '0' && c <= '9') return Digit(c);
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int number = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      number = number * 10 + (c - '0');
      if (number > kMaxFunctionKey) return std::nullopt;
    }
    if (number >= 1) return FunctionKey(number);
  }
  for (const TNamedKey& key : kNamedKeys) {
    if (SameLetters(name, key.Name)) return Named(key);
  }
  return std::nullopt;
}

std::optional<THotKeyName> KeyOfQtKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return Letter(static_cast<char>(qtKey));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return Digit(static_cast<char>(qtKey));
  if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kMaxFunctionKey) return FunctionKey(qtKey - Qt::Key_F1 + 1);
  for (const TNamedKey& key : kNamedKeys) {
    if (key.QtKey == qtKey) return Named(key);
  }
  return std::nullopt;
}

unsigned TakeModifierPrefixes(std::string_view& text) {
  unsigned modifiers = 0;
  for (bool taken = true; taken;) {
    taken = false;
    for (const THotKeyModifier& modifier : kHotKeyModifiers) {
      const std::size_t length = modifier.Word.size() + 1;
      if (text.size() >= length && SameLetters(text.substr(0, modifier.Word.size()), modifier.Word) &&
          text[modifier.Word.size()] == '+') {
        text.remove_prefix(length);
        modifiers |= modifier.Bit;
        taken = true;
      }
    }
  }
  return modifiers;
}

std::optional<THotKey> ParseHotKey(std::string_view text) {
  std::string_view name = text;
  TakeModifierPrefixes(name);
  const std::optional<THotKeyName> key = KeyOfHotKeyName(name);
  if (!key) return std::nullopt;
  THotKey result{0, key->VirtualKey, key->KeySym};
  for (const THotKeyModifier& modifier : kHotKeyModifiers) {
    if (text.find(modifier.Word) != std::string_view::npos) result.Modifiers |= modifier.Bit;
  }
  return result;
}

}  // namespace qtui
