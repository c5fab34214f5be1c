// The tray icon over QSystemTrayIcon, and the program's icon.
#include "qt/tray_icon.h"

#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace qtui {

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent) {}

TTrayIcon::~TTrayIcon() { Delete(); }

bool TTrayIcon::Add(const QIcon& icon, const QString& tip) {
  if (FIcon) return true;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  FIcon = new QSystemTrayIcon(icon, this);
  FIcon->setToolTip(tip);
  connect(FIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    const QPoint cursor = QCursor::pos();
    if (reason == QSystemTrayIcon::Trigger) emit LeftPressed();
    if (reason == QSystemTrayIcon::Context) emit RightPressed(cursor);
  });
  FIcon->show();
  return true;
}

void TTrayIcon::Delete() {
  if (!FIcon) return;
  FIcon->hide();
  delete FIcon;
  FIcon = nullptr;
}

QIcon NoteIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    QPainterPath page;
    page.moveTo(2 * unit, 1 * unit);
    page.lineTo(10 * unit, 1 * unit);
    page.lineTo(14 * unit, 5 * unit);
    page.lineTo(14 * unit, 15 * unit);
    page.lineTo(2 * unit, 15 * unit);
    page.closeSubpath();
    painter.setPen(QPen(QColor(102, 102, 102), unit));
    painter.setBrush(QColor(255, 250, 205));
    painter.drawPath(page);
    painter.drawLine(QPointF(10 * unit, 1 * unit), QPointF(10 * unit, 5 * unit));
    painter.drawLine(QPointF(10 * unit, 5 * unit), QPointF(14 * unit, 5 * unit));
    painter.setPen(QPen(QColor(153, 153, 153), unit * 0.75));
    for (int row = 7; row <= 13; row += 2)
      painter.drawLine(QPointF(4 * unit, row * unit), QPointF(12 * unit, row * unit));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 128, 128));
    painter.drawEllipse(QPointF(5 * unit, 4 * unit), 1.6 * unit, 1.6 * unit);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace qtui
