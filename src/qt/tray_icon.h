// The notification-area icon: added at start, removed at close, silent where the desktop has no tray.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>

class QSystemTrayIcon;

namespace qtui {

class TTrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TTrayIcon(QObject* parent = nullptr);
  ~TTrayIcon() override;

  // Shows the icon with its tip; false, and nothing shown, where no notification area exists.
  bool Add(const QIcon& icon, const QString& tip);
  // Takes the icon away; nothing when it was not added.
  void Delete();
  bool Added() const { return FIcon != nullptr; }

 signals:
  void LeftPressed();
  // With the cursor position read when the press arrived.
  void RightPressed(QPoint cursor);

 private:
  QSystemTrayIcon* FIcon = nullptr;
};

// The program's icon, drawn by code: a note page with a folded corner and a pin.
QIcon NoteIcon();

}  // namespace qtui
