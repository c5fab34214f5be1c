// Key handling of the hot-key field: modifiers shown while held, invalid combinations refused.
#include "dialogs/hot_key_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "dialogs/hot_key_text.h"

namespace dialogs {
namespace {

constexpr Qt::KeyboardModifiers kTextModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// The modifier a modifier key stands for; none for other keys.
Qt::KeyboardModifiers ModifierOfKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
      return Qt::ShiftModifier;
    case Qt::Key_Control:
      return Qt::ControlModifier;
    case Qt::Key_Alt:
      return Qt::AltModifier;
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
      return Qt::MetaModifier;  // held, but never part of a hot-key text
    default:
      return Qt::NoModifier;
  }
}

}  // namespace

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  ShowHeld(Qt::NoModifier);
}

void THotKeyEdit::SetHotKey(std::optional<QKeyCombination> key) {
  FKey = key;
  ShowHeld(Qt::NoModifier);
}

bool THotKeyEdit::event(QEvent* event) {
  // A combination with Ctrl or Alt belongs to the field, not to the dialog's mnemonics ("&M", "&W").
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & kTextModifiers;
  const Qt::KeyboardModifiers own = ModifierOfKey(event->key());
  if (own != Qt::NoModifier) {
    ShowHeld((modifiers | own) & kTextModifiers);
    return;
  }
  if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
    SetHotKey(std::nullopt);
    return;
  }
  const QKeyCombination combination(modifiers, static_cast<Qt::Key>(event->key()));
  if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier)) || HotKeyToText(combination).isEmpty()) {
    // Refused; Enter and Esc go on to the dialog's buttons.
    event->ignore();
    return;
  }
  SetHotKey(combination);
}

void THotKeyEdit::keyReleaseEvent(QKeyEvent* event) {
  ShowHeld(event->modifiers() & ~ModifierOfKey(event->key()) & kTextModifiers);
}

void THotKeyEdit::focusOutEvent(QFocusEvent* event) {
  ShowHeld(Qt::NoModifier);
  QLineEdit::focusOutEvent(event);
}

QVariant THotKeyEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  // A read-only line edit still answers that it takes an input method, and inserts what one commits.
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

void THotKeyEdit::inputMethodEvent(QInputMethodEvent* event) { event->ignore(); }

void THotKeyEdit::ShowHeld(Qt::KeyboardModifiers held) {
  if (held != Qt::NoModifier) {
    setText(HotKeyModifierText(held));
  } else {
    setText(FKey ? HotKeyToText(*FKey) : QStringLiteral("なし"));
  }
}

}  // namespace dialogs
