// The editor control on screen: a QWidget that owns a TEditor, is its window, and forwards Qt's events.
#pragma once

#include <QCursor>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "qt/editor_popup_menu.h"
#include "qt/qt_clipboard.h"

namespace qtui {

class TEditorWidget : public QWidget, private editor::TEditorWindow {
  Q_OBJECT

 public:
  explicit TEditorWidget(QWidget* parent = nullptr);
  ~TEditorWidget() override;

  editor::TEditor& Editor() { return FEditor; }

  // The menu the right button pops up; nullptr gives back the control's own menu.
  void SetPopupMenu(QMenu* menu);
  QMenu* PopupMenu() const;

  // The editor's key for a Qt key; Other for keys the editor has no command for.
  static editor::TEditorKey EditorKey(int qtKey);
  // Whether a key press types its text, as the same key on Windows would give character messages.
  static bool TypesCharacters(const QKeyEvent& event);

 signals:
  // The scroll ranges the control keeps (the note window drives its own skinned scroll bar from them).
  void ScrollRangeChanged(bool vertical, int min, int max, int page, int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // TEditorWindow
  int ClientWidth() const override { return width(); }
  int ClientHeight() const override { return height(); }
  int ScreenHeight() const override;
  editor::TFontMetrics MeasureFont(const editor::TEditorFont& font) const override;
  void Invalidate(const editor::TRect& area) override;
  void InvalidateAll() override;
  void Scroll(int dx, int dy, const editor::TRect& area) override;
  void Update() override;
  void SetCaretTimer(int interval) override;
  int CaretBlinkTime() const override;
  void SetCursor(editor::TCursorKind cursor) override;
  void SetMouseCapture(bool capture) override;
  bool Focused() const override { return hasFocus(); }
  void SetFocus() override { setFocus(Qt::OtherFocusReason); }
  void SetCompositionWindow(editor::TPoint position) override;
  void SetScrollRange(bool vertical, int min, int max, int page, int position) override;

  // Marks an area of the widget for the next paint (and for Update).
  void MarkDirty(const QRect& area);
  // Where the composed text is drawn: at the caret while it is in view, else nowhere.
  QRect PreeditBox() const;
  // Repaints the composed text's old and new place once the caret has moved it.
  void FollowPreedit();
  void PaintPreedit(QPainter& painter);
  // The control's own margin and copy-drag cursors, drawn the first time they are shown.
  QCursor OwnCursor(bool dragCopy);

  TQtClipboard FClipboard;
  editor::TEditor FEditor;
  QRegion FPending;  // invalidated and not painted yet
  QTimer FBlink;     // ticks the editor's caret
  QPoint FCompositionPos;
  QString FPreedit;   // the input method's text being composed
  QRect FPreeditBox;  // where it is drawn (empty when nowhere)
  bool FCaptured = false;
  TEditorPopupMenu* FOwnMenu = nullptr;  // made with the control; its shortcuts work while no other menu is set
  QMenu* FPopupMenu = nullptr;
  QCursor FRightArrowCursor;
  QCursor FDragSelCopyCursor;
};

}  // namespace qtui
