// The key names of hot-key texts and their virtual-key codes and X11 keysyms.
#include "qt/hot_key_text.h"

#include <array>
#include <cctype>
#include <string>

namespace qtui {
namespace {

struct TKeyName {
  std::string_view Name;
  int VirtualKey;
  std::uint32_t KeySym;
};

constexpr std::array<TKeyName, 15> kNamedKeys = {{
    {"BkSp", 0x08, 0xFF08},
    {"Tab", 0x09, 0xFF09},
    {"Enter", 0x0D, 0xFF0D},
    {"Esc", 0x1B, 0xFF1B},
    {"Space", 0x20, 0x0020},
    {"PgUp", 0x21, 0xFF55},
    {"PgDn", 0x22, 0xFF56},
    {"End", 0x23, 0xFF57},
    {"Home", 0x24, 0xFF50},
    {"Left", 0x25, 0xFF51},
    {"Up", 0x26, 0xFF52},
    {"Right", 0x27, 0xFF53},
    {"Down", 0x28, 0xFF54},
    {"Ins", 0x2D, 0xFF63},
    {"Del", 0x2E, 0xFFFF},
}};

constexpr std::array<std::pair<std::string_view, unsigned>, 3> kModifiers = {{
    {"Shift", MOD_SHIFT},
    {"Ctrl", MOD_CONTROL},
    {"Alt", MOD_ALT},
}};

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::optional<THotKey> KeyNamed(std::string_view name) {
  if (name.size() == 1) {
    const auto c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (c >= 'A' && c <= 'Z')
      return THotKey{0, c, static_cast<std::uint32_t>(std::tolower(c))};  // keysyms are lower case
    if (c >= '0' && c <= '9') return THotKey{0, c, c};
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int number = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      number = number * 10 + (c - '0');
      if (number > 24) return std::nullopt;
    }
    if (number >= 1) return THotKey{0, 0x70 + number - 1, 0xFFBEu + static_cast<std::uint32_t>(number - 1)};
  }
  for (const TKeyName& key : kNamedKeys) {
    if (SameLetters(name, key.Name)) return THotKey{0, key.VirtualKey, key.KeySym};
  }
  return std::nullopt;
}

}  // namespace

std::optional<THotKey> ParseHotKey(std::string_view text) {
  std::string_view name = text;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const auto& [word, bit] : kModifiers) {
      const std::size_t length = word.size() + 1;
      if (name.size() > length && SameLetters(name.substr(0, word.size()), word) && name[word.size()] == '+') {
        name.remove_prefix(length);
        stripped = true;
      }
    }
  }
  std::optional<THotKey> key = KeyNamed(name);
  if (!key) return std::nullopt;
  for (const auto& [word, bit] : kModifiers) {
    if (text.find(word) != std::string_view::npos) key->Modifiers |= bit;
  }
  return key;
}

}  // namespace qtui
