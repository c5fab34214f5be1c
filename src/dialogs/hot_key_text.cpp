// Hot-key text in the settings' format, through the key names the global hot key grabs by.
#include "dialogs/hot_key_text.h"

#include "qt/hot_key_text.h"

namespace dialogs {

QString HotKeyModifierText(Qt::KeyboardModifiers modifiers) {
  QString text;
  for (const qtui::THotKeyModifier& modifier : qtui::kHotKeyModifiers) {
    if (modifiers & modifier.QtModifier) text += QString::fromLatin1(modifier.Word) + QLatin1Char('+');
  }
  return text;
}

QString HotKeyToText(QKeyCombination key) {
  const std::optional<qtui::THotKeyName> name = qtui::KeyOfQtKey(key.key());
  if (!name) return {};
  return HotKeyModifierText(key.keyboardModifiers()) + QString::fromStdString(name->Name);
}

std::optional<QKeyCombination> HotKeyFromText(const QString& text) {
  const std::string bytes = text.toStdString();
  std::string_view rest = bytes;
  const unsigned bits = qtui::TakeModifierPrefixes(rest);
  const std::optional<qtui::THotKeyName> key = qtui::KeyOfHotKeyName(rest);
  if (!key) return std::nullopt;
  Qt::KeyboardModifiers modifiers;
  for (const qtui::THotKeyModifier& modifier : qtui::kHotKeyModifiers) {
    if (bits & modifier.Bit) modifiers |= modifier.QtModifier;
  }
  return QKeyCombination(modifiers, static_cast<Qt::Key>(key->QtKey));
}

}  // namespace dialogs
