// Hot-key text in the settings' format, with the Windows key names a carried-over settings file holds.
#include "dialogs/hot_key_text.h"

#include <QKeySequence>

#include <array>

namespace dialogs {
namespace {

struct TKeyName {
  Qt::Key Key;
  const char* Name;
};

// Keys whose names differ from Qt's portable names. Letters, digits and F1-F24 need no entry: Qt
// names them the same way.
constexpr std::array<TKeyName, 16> kKeyNames = {{
    {Qt::Key_Backspace, "BkSp"},
    {Qt::Key_Tab, "Tab"},
    {Qt::Key_Escape, "Esc"},
    {Qt::Key_Return, "Enter"},
    {Qt::Key_Enter, "Enter"},
    {Qt::Key_Space, "Space"},
    {Qt::Key_PageUp, "PgUp"},
    {Qt::Key_PageDown, "PgDn"},
    {Qt::Key_End, "End"},
    {Qt::Key_Home, "Home"},
    {Qt::Key_Left, "Left"},
    {Qt::Key_Up, "Up"},
    {Qt::Key_Right, "Right"},
    {Qt::Key_Down, "Down"},
    {Qt::Key_Insert, "Ins"},
    {Qt::Key_Delete, "Del"},
}};

struct TModifierName {
  Qt::KeyboardModifier Modifier;
  const char* Name;
};

// In the order a hot-key text lists them.
constexpr std::array<TModifierName, 3> kModifierNames = {{
    {Qt::ShiftModifier, "Shift+"},
    {Qt::ControlModifier, "Ctrl+"},
    {Qt::AltModifier, "Alt+"},
}};

bool IsModifierKey(Qt::Key key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
         key == Qt::Key_AltGr || key == Qt::Key_unknown || key == 0;
}

QString KeyName(Qt::Key key) {
  if (IsModifierKey(key)) return {};
  for (const TKeyName& entry : kKeyNames) {
    if (entry.Key == key) return QString::fromLatin1(entry.Name);
  }
  return QKeySequence(key).toString(QKeySequence::PortableText);
}

std::optional<Qt::Key> KeyOfName(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  for (const TKeyName& entry : kKeyNames) {
    if (name.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0) return entry.Key;
  }
  const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) return std::nullopt;
  const Qt::Key key = sequence[0].key();
  if (IsModifierKey(key)) return std::nullopt;
  return key;
}

}  // namespace

QString HotKeyModifierText(Qt::KeyboardModifiers modifiers) {
  QString text;
  for (const TModifierName& modifier : kModifierNames) {
    if (modifiers & modifier.Modifier) text += QLatin1String(modifier.Name);
  }
  return text;
}

QString HotKeyToText(QKeyCombination key) {
  const QString name = KeyName(key.key());
  if (name.isEmpty()) return {};
  return HotKeyModifierText(key.keyboardModifiers()) + name;
}

std::optional<QKeyCombination> HotKeyFromText(const QString& text) {
  Qt::KeyboardModifiers modifiers;
  QString rest = text;
  bool found = true;
  while (found) {
    found = false;
    for (const TModifierName& modifier : kModifierNames) {
      const QLatin1String name(modifier.Name);
      if (rest.startsWith(name, Qt::CaseInsensitive)) {
        modifiers |= modifier.Modifier;
        rest.remove(0, name.size());
        found = true;
      }
    }
  }
  const std::optional<Qt::Key> key = KeyOfName(rest);
  if (!key) return std::nullopt;
  return QKeyCombination(modifiers, *key);
}

}  // namespace dialogs
