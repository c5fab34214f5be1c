// Opening a web or mail address from the text with the desktop's handler, behind a seam tests record.
#pragma once

#include <QString>
#include <QUrl>

namespace qtui {

class TUrlOpener {
 public:
  virtual ~TUrlOpener() = default;
  // Hands the address to whatever opens it ("http://...", "mailto:..."); a failure is not reported.
  virtual void Open(const QString& target) = 0;
};

// The address as the desktop takes it: "www." addresses are web pages (the desktop would take them for
// file names). An address that is no URL at all gives an invalid QUrl.
QUrl LinkUrl(const QString& target);

// Through QDesktopServices (xdg-open or the desktop's portal), never through a shell.
class TDesktopUrlOpener final : public TUrlOpener {
 public:
  void Open(const QString& target) override;
};

}  // namespace qtui
