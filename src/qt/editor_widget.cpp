// The editor widget: Qt's paint, key, input-method and focus events delivered to the TEditor, and the
// window services (invalidation, scrolling, the caret's blink timer, cursors) it asks for.
#include "qt/editor_widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>

#include <array>
#include <utility>

#include "editor/control/editor_paint.h"
#include "qt/qt_canvas.h"
#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"
#include "qt/text_convert.h"

namespace qtui {
namespace {

using editor::TEditorKey;

// Qt keys the editor has a command for or passes through.
constexpr std::array<std::pair<int, TEditorKey>, 16> kEditorKeys = {{
    {Qt::Key_Backspace, TEditorKey::Backspace},
    {Qt::Key_Tab, TEditorKey::Tab},
    {Qt::Key_Backtab, TEditorKey::Tab},
    {Qt::Key_Return, TEditorKey::Return},
    {Qt::Key_Enter, TEditorKey::Return},
    {Qt::Key_PageUp, TEditorKey::PageUp},
    {Qt::Key_PageDown, TEditorKey::PageDown},
    {Qt::Key_End, TEditorKey::End},
    {Qt::Key_Home, TEditorKey::Home},
    {Qt::Key_Left, TEditorKey::Left},
    {Qt::Key_Up, TEditorKey::Up},
    {Qt::Key_Right, TEditorKey::Right},
    {Qt::Key_Down, TEditorKey::Down},
    {Qt::Key_Delete, TEditorKey::Delete},
    {Qt::Key_Insert, TEditorKey::Insert},
    {Qt::Key_Escape, TEditorKey::Escape},
}};

editor::TShiftState ShiftState(Qt::KeyboardModifiers modifiers) {
  editor::TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= editor::ssShift;
  if (modifiers & Qt::ControlModifier) shift |= editor::ssCtrl;
  if (modifiers & Qt::AltModifier) shift |= editor::ssAlt;
  return shift;
}

editor::TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
QRect ToQRect(const editor::TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

TEditorWidget::TEditorWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::IBeamCursor);
  setMouseTracking(true);  // the cursor changes over addresses and the selection without a button held
  connect(&FBlink, &QTimer::timeout, this, [this] { FEditor.CaretTick(); });
  FEditor.SetClipboard(&FClipboard);
  FEditor.SetWindow(this);
  FOwnMenu = new TEditorPopupMenu(FEditor, this);
  resize(185, 89);  // a new control's size, until its owner lays it out
}

void TEditorWidget::SetPopupMenu(QMenu* menu) {
  FPopupMenu = menu;
  // The own menu's shortcuts serve only while it is the control's menu.
  for (QAction* action : FOwnMenu->findChildren<QAction*>()) action->setEnabled(menu == nullptr);
}

QMenu* TEditorWidget::PopupMenu() const { return FPopupMenu ? FPopupMenu : FOwnMenu; }

void TEditorWidget::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu()->popup(event->globalPos());
  event->accept();
}

TEditorWidget::~TEditorWidget() {
  // The editor must not call back into a widget that is half destroyed.
  FEditor.SetWindow(nullptr);
  FEditor.SetClipboard(nullptr);
}

editor::TEditorKey TEditorWidget::EditorKey(int qtKey) {
  if (qtKey == Qt::Key_Control) return TEditorKey::Control;
  for (const auto& [key, editorKey] : kEditorKeys) {
    if (key == qtKey) return editorKey;
  }
  return TEditorKey::Other;
}

// --- Events ----------------------------------------------------------------------------------------

void TEditorWidget::paintEvent(QPaintEvent* event) {
  FPending -= event->region();
  // The paint is opaque: the core paints every pixel it is asked for, margins included.
  QPainter painter(this);
  TQtCanvas canvas(painter, ToTRect(event->rect()));
  editor::PaintEditor(FEditor, canvas);
  PaintPreedit(painter);
}

// --- The text being composed -----------------------------------------------------------------------
// It stands at the caret, underlined, over the text, until the input method commits it. Its box is
// wider than the caret's cell, so the widget itself repaints where the box was and where it goes.

QRect TEditorWidget::PreeditBox() const {
  const editor::TCaretModel& caret = FEditor.CaretModel();
  if (FPreedit.isEmpty() || !caret.InView()) return {};  // a caret scrolled out of view shows nothing
  const QFontMetrics metrics(ToQFont(FEditor.Font()));
  return {QPoint(caret.Position().X, caret.Position().Y), QSize(metrics.horizontalAdvance(FPreedit), metrics.height())};
}

void TEditorWidget::FollowPreedit() {
  if (FPreedit.isEmpty() && FPreeditBox.isEmpty()) return;
  const QRect box = PreeditBox();
  if (box == FPreeditBox) return;
  MarkDirty(FPreeditBox);
  MarkDirty(box);
  FPreeditBox = box;
}

void TEditorWidget::PaintPreedit(QPainter& painter) {
  const QRect box = PreeditBox();
  if (box.isEmpty()) return;
  painter.setFont(ToQFont(FEditor.Font()));
  painter.fillRect(box, ToQColor(FEditor.Color()));
  painter.setPen(ToQColor(FEditor.Font().Color));
  painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, FPreedit);
  painter.drawLine(box.bottomLeft(), box.bottomRight());
}

void TEditorWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FEditor.Resize();
}

void TEditorWidget::keyPressEvent(QKeyEvent* event) {
  const editor::TShiftState shift = ShiftState(event->modifiers());
  const TEditorKey key = EditorKey(event->key());
  // While a button is held or a drag is pending the control takes only the keys the drag needs.
  if (!FEditor.PassKeyDown(key, shift)) {
    event->accept();
    return;
  }
  FEditor.KeyDown(key, shift, event->isAutoRepeat());
  if (TypesCharacters(*event) && FEditor.PassChar()) {
    for (const char byte : ToCp932(event->text())) FEditor.KeyChar(static_cast<unsigned char>(byte), shift);
  }
  event->accept();
}

bool TEditorWidget::TypesCharacters(const QKeyEvent& event) {
  // What TranslateMessage would post as WM_CHAR for the key, whose text X11 gives with almost any
  // modifier. Delete has a text on X11 but no character message on Windows. Ctrl with a letter gives
  // its control character on both, but Ctrl with a digit or a sign none (X11 gives "9" for Ctrl+9).
  // Alt alone, or the Windows key, makes a system key (WM_SYSCHAR, never typed). Ctrl+Alt is AltGr:
  // it types the printable characters a layout gives it, and nothing where X11 gives Ctrl's control
  // character (Ctrl+Alt+M would be a Return).
  const QString text = event.text();
  if (text.isEmpty() || event.key() == Qt::Key_Delete) return false;
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  const bool printable = text.front() > QLatin1Char(' ') && text.front() != QChar(0x7F);
  if (modifiers & Qt::MetaModifier) return false;
  if (ctrl && alt) return printable;
  if (alt) return false;
  return !ctrl || !printable;
}

void TEditorWidget::keyReleaseEvent(QKeyEvent* event) {
  if (FEditor.PassKeyUp(EditorKey(event->key())) && !event->isAutoRepeat()) FEditor.KeyUp();
  event->accept();
}

void TEditorWidget::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() && FEditor.PassChar()) FEditor.ImeResult(ToCp932(event->commitString()));
  if (FPreedit != event->preeditString()) {
    MarkDirty(FPreeditBox);
    FPreedit = event->preeditString();
    FPreeditBox = PreeditBox();
    MarkDirty(FPreeditBox);
  }
  event->accept();
}

QVariant TEditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImCursorRectangle: {
      const editor::TCaretModel& caret = FEditor.CaretModel();
      return QRect(FCompositionPos, caret.Exists() ? QSize(caret.Width(), caret.Height()) : QSize(2, 16));
    }
    case Qt::ImEnabled:
      return !FEditor.ReadOnly();
    case Qt::ImFont:
      return ToQFont(FEditor.Font());
    default:
      return QWidget::inputMethodQuery(query);
  }
}

namespace {

bool ToButton(Qt::MouseButton qtButton, editor::TMouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton:
      button = editor::TMouseButton::Left;
      return true;
    case Qt::RightButton:
      button = editor::TMouseButton::Right;
      return true;
    case Qt::MiddleButton:
      button = editor::TMouseButton::Middle;
      return true;
    default:
      return false;
  }
}

}  // namespace

void TEditorWidget::mousePressEvent(QMouseEvent* event) {
  editor::TMouseButton button;
  if (ToButton(event->button(), button)) {
    const QPoint p = event->position().toPoint();
    FEditor.MouseDown(button, ShiftState(event->modifiers()), p.x(), p.y());
  }
  event->accept();
}

void TEditorWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  FEditor.MouseMove(ShiftState(event->modifiers()), p.x(), p.y());
  event->accept();
}

void TEditorWidget::mouseReleaseEvent(QMouseEvent* event) {
  editor::TMouseButton button;
  if (ToButton(event->button(), button)) {
    const QPoint p = event->position().toPoint();
    FEditor.MouseUp(button, ShiftState(event->modifiers()), p.x(), p.y());
  }
  event->accept();
}

void TEditorWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  editor::TMouseButton button;
  if (ToButton(event->button(), button)) {
    const QPoint p = event->position().toPoint();
    FEditor.DoubleClick(button, ShiftState(event->modifiers()), p.x(), p.y());
  }
  event->accept();
}

void TEditorWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  FEditor.FocusIn();
}

void TEditorWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  FEditor.FocusOut();
}

bool TEditorWidget::focusNextPrevChild(bool next) {
  // Tab is a character of the text while the editor wants tabs.
  if (FEditor.WantTabs()) return false;
  return QWidget::focusNextPrevChild(next);
}

// --- The window services ------------------------------------------------------------------------

editor::TFontMetrics TEditorWidget::MeasureFont(const editor::TEditorFont& font) const {
  return qtui::MeasureFont(ToQFont(font));
}

void TEditorWidget::MarkDirty(const QRect& area) {
  const QRect shown = area.intersected(rect());
  if (shown.isEmpty()) return;
  FPending += shown;
  update(shown);
}

void TEditorWidget::Invalidate(const editor::TRect& area) {
  MarkDirty(ToQRect(area));
  FollowPreedit();  // the caret's old and new cells are invalidated when it moves
}

void TEditorWidget::InvalidateAll() {
  FPending += rect();
  update();
  FollowPreedit();  // all is repainted; the box's place is still needed by the next scroll
}

void TEditorWidget::Scroll(int dx, int dy, const editor::TRect& area) {
  const QRect scrolled = ToQRect(area);
  scroll(dx, dy, scrolled);
  // The composed text's box moved with the pixels under it: its copy goes, and its place is drawn anew.
  if (FPreeditBox.isEmpty()) return;
  MarkDirty(FPreeditBox.translated(dx, dy).intersected(scrolled));
  MarkDirty(FPreeditBox);
}

void TEditorWidget::Update() {
  if (!FPending.isEmpty() && isVisible()) repaint(FPending);
  FPending = QRegion();
}

int TEditorWidget::ScreenHeight() const {
  const QScreen* shown = screen();
  return shown ? shown->geometry().height() : 0;
}

void TEditorWidget::SetCaretTimer(int interval) {
  if (interval <= 0) {
    FBlink.stop();
  } else {
    FBlink.start(interval);
  }
}

int TEditorWidget::CaretBlinkTime() const {
  // Qt gives the whole cycle (on and off); 0 or less means the desktop does not blink the caret.
  const int flash = QApplication::cursorFlashTime();
  return flash > 0 ? std::max(50, flash / 2) : 0;
}

namespace {

// The control's own cursors, drawn here: an arrow pointing up and to the right (its tip the hot spot)
// for the left margin, and the usual arrow with a small box holding a plus for copying by dragging.
QCursor DrawnCursor(bool dragCopy) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  const QPolygon arrow({{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}});
  if (dragCopy) {
    painter.drawPolygon(arrow);
    painter.drawRect(12, 14, 10, 10);
    painter.drawLine(17, 16, 17, 22);
    painter.drawLine(14, 19, 20, 19);
    painter.end();
    return QCursor(QPixmap::fromImage(image), 0, 0);
  }
  painter.translate(image.width() - 1, 0);
  painter.scale(-1, 1);  // the arrow mirrored: pointing to the text on its right
  painter.drawPolygon(arrow);
  painter.end();
  return QCursor(QPixmap::fromImage(image), image.width() - 1, 0);
}

}  // namespace

QCursor TEditorWidget::OwnCursor(bool dragCopy) {
  QCursor& cursor = dragCopy ? FDragSelCopyCursor : FRightArrowCursor;
  if (cursor.shape() != Qt::BitmapCursor) cursor = DrawnCursor(dragCopy);
  return cursor;
}

void TEditorWidget::SetCursor(editor::TCursorKind cursor) {
  switch (cursor) {
    case editor::TCursorKind::Arrow:
      setCursor(Qt::ArrowCursor);
      break;
    case editor::TCursorKind::IBeam:
      setCursor(Qt::IBeamCursor);
      break;
    case editor::TCursorKind::Hand:
      setCursor(Qt::PointingHandCursor);
      break;
    case editor::TCursorKind::DragMove:
      setCursor(Qt::DragMoveCursor);
      break;
    case editor::TCursorKind::RightArrow:
      setCursor(OwnCursor(false));
      break;
    case editor::TCursorKind::DragSelCopy:
      setCursor(OwnCursor(true));
      break;
    case editor::TCursorKind::No:
      setCursor(Qt::ForbiddenCursor);
      break;
    case editor::TCursorKind::SizeAll:
      setCursor(Qt::SizeAllCursor);
      break;
  }
}

void TEditorWidget::SetMouseCapture(bool capture) {
  // Qt already delivers every move and the release to the widget a button was pressed on; an
  // explicit grab is needed only for a capture taken without a pressed button.
  if (capture == FCaptured) return;
  FCaptured = capture;
  if (capture && QApplication::mouseButtons() == Qt::NoButton && isVisible()) {
    grabMouse();
  } else if (!capture && QWidget::mouseGrabber() == this) {
    releaseMouse();
  }
}

void TEditorWidget::SetCompositionWindow(editor::TPoint position) {
  FCompositionPos = QPoint(position.X, position.Y);
  FollowPreedit();  // a scroll has placed the caret
  QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TEditorWidget::SetScrollRange(bool vertical, int min, int max, int page, int position) {
  emit ScrollRangeChanged(vertical, min, max, page, position);
}

}  // namespace qtui
