// The mouse on the frame itself: page corner, scroll arrows, size grip and moving the window, the size
// cursor, and the title bar's double click.
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include "app/frame_controls.h"
#include "app/frame_layout.h"
#include "app/note_window.h"
#include "qt/native_window.h"

namespace app {

void TfrmMain::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  FDragStart = event->globalPosition().toPoint();
  FormMouseDown(event->position().toPoint());
}

void TfrmMain::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) FormMouseUp();
}

void TfrmMain::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  FInSystemLoop = false;  // the mouse is the window's again
  if (FDragMode == TDragMode::None) {
    FormMouseMove(event->position().toPoint());
    return;
  }
  if (!(event->buttons() & Qt::LeftButton)) {
    FDragMode = TDragMode::None;
    return;
  }
  const QPoint moved = event->globalPosition().toPoint() - FDragStart;
  const bool starting = FDragMode == TDragMode::PendingMove || FDragMode == TDragMode::PendingSize;
  if (starting) {
    if (moved.manhattanLength() < QApplication::startDragDistance()) return;
    FDragGeometry = QRect(qtui::ScreenPosition(*this), size());
    FDragMode = FDragMode == TDragMode::PendingSize ? TDragMode::Size : TDragMode::Move;
  }
  // The window catches up with the pointer, then the window manager's own loop takes over; where there
  // is none, the frame goes on following the mouse itself.
  if (FDragMode == TDragMode::Move) {
    move(FDragGeometry.topLeft() + moved);
  } else {
    resize(FDragGeometry.width() + moved.x(), FDragGeometry.height() + moved.y());
  }
  QWindow* native = windowHandle();
  if (starting && native &&
      (FDragMode == TDragMode::Size ? native->startSystemResize(Qt::BottomEdge | Qt::RightEdge)
                                    : native->startSystemMove())) {
    FDragMode = TDragMode::None;
    FInSystemLoop = true;
  }
}

void TfrmMain::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  FormDblClick(event->position().toPoint());
  // The second press of a double click is a press on the frame as well, unless what the double click
  // did (a modal input box) outlasted the button.
  if (QApplication::mouseButtons() & Qt::LeftButton) mousePressEvent(event);
}

void TfrmMain::FormMouseDown(QPoint position) {
  FTimer.stop();
  const TFrameAction action = FrameActionAt(position, size(), FPageCornerRect, cursor().shape() == Qt::SizeFDiagCursor);
  switch (action) {
    case TFrameAction::NextPage:
      mnuNextClick();
      return;
    case TFrameAction::PreviousPage:
      mnuPreviousClick();
      return;
    case TFrameAction::ScrollUp:
    case TFrameAction::ScrollDown:
      if (FPnlScroll->isVisible()) {
        FTimerTag = action == TFrameAction::ScrollUp ? 1 : 2;
        FTimer.start();
      }
      return;
    case TFrameAction::Size:
      // The sizing and moving start once the mouse moves, as the desktop's own loops do: a click or a
      // double click on the frame stays a click, which a window manager's grab would swallow.
      FDragMode = TDragMode::PendingSize;
      return;
    case TFrameAction::Move:
      FDragMode = TDragMode::PendingMove;
      return;
  }
}

void TfrmMain::FormMouseUp() {
  FTimer.stop();
  FDragMode = TDragMode::None;
}

void TfrmMain::FormMouseMove(QPoint position) {
  setCursor(InSizeGrip(position, size()) ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
}

void TfrmMain::FormDblClick(QPoint position) {
  if (FDblClickGuard) {
    FDblClickGuard = false;
    return;
  }
  if (position.y() > TitleBarHeight) return;
  if (position.x() > 25 && position.x() < TitleTextWidth() + 25) {
    mnuPageTitleClick();
  } else {
    SetWindowShade(!FIsShaded);
  }
}

}  // namespace app
