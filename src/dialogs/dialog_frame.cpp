// The dialogs' common frame and placement.
#include "dialogs/dialog_frame.h"

#include <QDialog>
#include <QFont>

#include "qt/native_window.h"

namespace dialogs {

void SetUpDialogFrame(QDialog& dialog, const QString& caption, QSize clientSize, bool closeBox) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;
  if (closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  dialog.setWindowFlags(flags);
  dialog.setWindowTitle(caption);
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(12);
  dialog.setFont(font);
  dialog.setFixedSize(clientSize);
}

void PlaceBesideNoteWindow(QDialog& dialog, const QWidget& noteWindow) {
  // Where the X server has the window: Qt's copy can lag behind a window manager's placing and moves.
  dialog.move(qtui::ScreenPosition(noteWindow) + QPoint(kDialogOffset, kDialogOffset));
}

void Place(QWidget& control, const char* name, QRect geometry) {
  control.setObjectName(QString::fromLatin1(name));
  if (geometry.width() <= 0 || geometry.height() <= 0) {
    control.adjustSize();
    geometry.setSize(control.size());
  }
  control.setGeometry(geometry);
}

}  // namespace dialogs
