// The hot key's text form in the settings ("Alt+Ctrl+M") for the options dialog's field, as Qt key
// combinations.
#pragma once

#include <QKeyCombination>
#include <QString>

#include <optional>

namespace dialogs {

// "Shift+", "Ctrl+", "Alt+" in that order, then the key's name ("Ctrl+Alt+M", "Shift+Ctrl+F1",
// "Ctrl+Alt+PgDn"); empty for a key no hot key can be (the global grab knows no name for it). Other
// modifiers (Meta, keypad) are not part of a hot-key text.
QString HotKeyToText(QKeyCombination key);

// The modifier part alone ("Shift+Ctrl+"), as the field shows it while the modifiers are held.
QString HotKeyModifierText(Qt::KeyboardModifiers modifiers);

// Reads modifier names in any order and letter case, then a key name ("Alt+Ctrl+M", "ctrl+alt+pgdn").
// Nothing for an empty text or one that names no key.
std::optional<QKeyCombination> HotKeyFromText(const QString& text);

}  // namespace dialogs
