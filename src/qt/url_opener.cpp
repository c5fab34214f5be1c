// The desktop's URL handler for links in the text.
#include "qt/url_opener.h"

#include <QDesktopServices>

namespace qtui {

QUrl LinkUrl(const QString& target) {
  const QString address =
      target.startsWith(QLatin1String("www."), Qt::CaseInsensitive) ? QStringLiteral("http://") + target : target;
  return QUrl(address);
}

void TDesktopUrlOpener::Open(const QString& target) {
  const QUrl url = LinkUrl(target);
  if (url.isValid() && !url.scheme().isEmpty()) QDesktopServices::openUrl(url);
}

}  // namespace qtui
