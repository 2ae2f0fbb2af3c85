#include "app/edit/dropped_data.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

#include "app/common/item_mime_type.h"

DroppedData readDroppedData(const QMimeData& data) {
    DroppedData dropped;
    const QString itemsType = QString::fromLatin1(kItemsMimeType);
    if (data.hasFormat(itemsType)) {
        dropped.format = DroppedData::Format::kItems;
        dropped.items = data.data(itemsType);
        return dropped;
    }
    // UTF-16: the URL, a line feed, the link's name. An empty first line
    // offers no link.
    const QString mozUrl = QStringLiteral("text/x-moz-url");
    if (data.hasFormat(mozUrl)) {
        const QByteArray raw = data.data(mozUrl);
        const QString both =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
        const QStringList lines = both.split(u'\n');
        if (!lines.value(0).trimmed().isEmpty()) {
            dropped.format = DroppedData::Format::kLink;
            dropped.url = lines.value(0).trimmed();
            dropped.title = lines.value(1).trimmed();
            return dropped;
        }
    }
    // File managers offer the paths as text too: files come first.
    const QList<QUrl> urls = data.urls();
    QStringList files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    if (!urls.isEmpty() && files.size() == urls.size()) {
        dropped.format = DroppedData::Format::kFiles;
        dropped.files = files;
        return dropped;
    }
    if (urls.size() == 1 && !data.hasText()) {
        dropped.format = DroppedData::Format::kLink;
        dropped.url = urls.first().toString();
        return dropped;
    }
    if (data.hasText()) {
        dropped.format = DroppedData::Format::kText;
        dropped.text = data.text();
    }
    return dropped;
}
