// The small controls on the skinned frame: panels that show a piece of the skin stretched (the scroll
// track and its thumb) and the invisible labels over the title bar's button images.
#pragma once

#include <QImage>
#include <QWidget>

namespace app {

// Shows one rectangle of a picture stretched over the whole panel and reports the mouse on it.
class TSkinPanel : public QWidget {
  Q_OBJECT

 public:
  TSkinPanel(QWidget& parent, const char* name);

  void SetPicture(const QImage& picture, const QRect& source);

 signals:
  void MouseDown(Qt::MouseButton button, QPoint position);
  void MouseMove(QPoint position);
  void MouseUp(Qt::MouseButton button, QPoint position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage FPicture;
  QRect FSource;
};

// Draws nothing (the skin under it shows its button), shows its hint as a tooltip and takes the clicks.
// A double click is one click and one double click, as the desktop it comes from counts them.
class TTitleLabel : public QWidget {
  Q_OBJECT

 public:
  TTitleLabel(QWidget& parent, const char* name, const QString& hint);

 signals:
  void Clicked();
  void DoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool FPressed = false;  // a left press whose release over the label is a click
};

}  // namespace app
