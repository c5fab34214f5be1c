// Painting and mouse reporting of the frame's panels and title-bar labels.
#include "app/frame_controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace app {

TSkinPanel::TSkinPanel(QWidget& parent, const char* name) : QWidget(&parent) {
  setObjectName(QString::fromLatin1(name));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSkinPanel::SetPicture(const QImage& picture, const QRect& source) {
  FPicture = picture;
  FSource = source;
  update();
}

void TSkinPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), FPicture, FSource);
}

void TSkinPanel::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button(), event->position().toPoint());
  event->accept();
}

void TSkinPanel::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event->position().toPoint());
  event->accept();
}

void TSkinPanel::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event->button(), event->position().toPoint());
  event->accept();
}

void TSkinPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like any other here.
  mousePressEvent(event);
}

TTitleLabel::TTitleLabel(QWidget& parent, const char* name, const QString& hint) : QWidget(&parent) {
  setObjectName(QString::fromLatin1(name));
  setToolTip(hint);
}

void TTitleLabel::mousePressEvent(QMouseEvent* event) {
  FPressed = event->button() == Qt::LeftButton;
  event->accept();
}

void TTitleLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  FPressed = false;
  event->accept();
  if (click) emit Clicked();
}

void TTitleLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  // The release that ends a double click is no second click.
  FPressed = false;
  event->accept();
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

}  // namespace app
