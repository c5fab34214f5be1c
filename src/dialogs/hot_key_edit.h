// The hot-key field: records the key combination typed into it, as the system's hot-key control does.
#pragma once

#include <QKeyCombination>
#include <QLineEdit>

#include <optional>

namespace dialogs {

// Shows the combination in the settings' text form, or "なし" when none is set. A key typed without Ctrl
// or Alt (no modifier, or Shift alone) is refused: a global grab of a plain key would take it from every
// program. Backspace or Delete alone clears the field.
class THotKeyEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit THotKeyEdit(QWidget* parent = nullptr);

  std::optional<QKeyCombination> HotKey() const { return FKey; }
  void SetHotKey(std::optional<QKeyCombination> key);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // The field takes keys, never text: it asks for no input method and drops what one sends.
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // Shows the modifiers held so far ("Ctrl+Alt+"), or the recorded combination when none is held.
  void ShowHeld(Qt::KeyboardModifiers held);

  std::optional<QKeyCombination> FKey;
};

}  // namespace dialogs
