#include "app/common/link_opener.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopLinkOpener::openLink(const QString& target) {
    QUrl url(target, QUrl::TolerantMode);
    // A one-letter "scheme" is a drive ("C:\..."), not a scheme.
    if (url.scheme().size() < 2)
        url = QUrl::fromLocalFile(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}
