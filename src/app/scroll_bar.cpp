// The skinned scroll bar: the thumb following the editor, dragging it, clicking the track, the arrows'
// auto-repeat and the mouse wheel.
#include <QApplication>
#include <QWheelEvent>

#include "app/frame_controls.h"
#include "app/note_window.h"
#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "qt/editor_widget.h"

namespace app {

TScrollState TfrmMain::ScrollState() {
  editor::TEditor& editor = FMemo1->Editor();
  const int lineCount = editor.Lines().Count();
  return {lineCount, editor.VisibleRows(), editor.TopRow(), editor.ListInfo().LineToRow(lineCount)};
}

void TfrmMain::UpdateThumb() {
  const std::optional<int> top = ThumbTop(ScrollState(), FPnlScrollArea->height());
  FPnlScroll->setVisible(top.has_value());
  if (top) FPnlScroll->move(0, *top);
}

void TfrmMain::ScrollToThumb() {
  // The editor reports the new top row, and UpdateThumb puts the thumb where that row belongs.
  if (const std::optional<int> row = TopRowOfThumb(FPnlScroll->y(), FPnlScrollArea->height(), ScrollState()))
    FMemo1->Editor().SetTopRow(*row);
}

void TfrmMain::Memo1TopRowChange(editor::TObject*) { UpdateThumb(); }

void TfrmMain::PnlScrollMouseDown(Qt::MouseButton button) {
  if (button == Qt::LeftButton) FThumbDragging = true;
}

void TfrmMain::PnlScrollMouseMove(QPoint position) {
  if (!FThumbDragging) return;
  // The thumb's top edge goes to the pointer.
  FPnlScroll->move(0, DraggedThumbTop(FPnlScroll->y() + position.y(), FPnlScrollArea->height()));
  ScrollToThumb();
}

void TfrmMain::PnlScrollMouseUp(Qt::MouseButton button) {
  if (button == Qt::LeftButton) FThumbDragging = false;
}

void TfrmMain::PnlScrollAreaMouseDown(Qt::MouseButton button, QPoint position) {
  FTimer.stop();
  if (button != Qt::LeftButton || !FPnlScroll->isVisible()) return;
  FPnlScroll->move(0, std::min(position.y(), FPnlScrollArea->height() - ThumbHeight));
  ScrollToThumb();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  // The press goes on as a press on the thumb: holding the button drags on from here. The track keeps
  // the mouse, so its moves and the release are the thumb's from now on.
  PnlScrollMouseDown(Qt::LeftButton);
}

void TfrmMain::PnlScrollAreaMouseMove(QPoint position) {
  if (FThumbDragging) PnlScrollMouseMove(position - FPnlScroll->pos());
}

void TfrmMain::PnlScrollAreaMouseUp(Qt::MouseButton button) {
  FTimer.stop();
  PnlScrollMouseUp(button);
}

void TfrmMain::TimerTimer() {
  editor::TEditor& editor = FMemo1->Editor();
  if (FTimerTag == 1) editor.SetTopRow(editor.TopRow() - 1);
  if (FTimerTag == 2) editor.SetTopRow(editor.TopRow() + 1);
}

void TfrmMain::FormMouseWheel(int delta) {
  const int rows = WheelRows(QApplication::wheelScrollLines());
  const editor::TScrollRequest request = delta > 0 ? editor::TScrollRequest::LineUp : editor::TScrollRequest::LineDown;
  for (int i = 0; i < rows; ++i) FMemo1->Editor().VScroll(request, 0);
}

void TfrmMain::wheelEvent(QWheelEvent* event) {
  // A wheel reports 120 a notch; smooth wheels and touch pads report parts of one, which add up to
  // notches. Sideways turns are no vertical scrolling.
  FWheelDelta += event->angleDelta().y();
  while (FWheelDelta >= 120 || FWheelDelta <= -120) {
    const int notch = FWheelDelta > 0 ? 120 : -120;
    FWheelDelta -= notch;
    FormMouseWheel(notch);
  }
  event->accept();
}

}  // namespace app
