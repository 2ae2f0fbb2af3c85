#include "app/edit/dropped_data.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

#include "app/common/item_mime_type.h"

namespace {

// A link goes into a memo in its percent-encoded form, which any note can
// store ("Café" as "Caf%C3%A9"), and opens as the same address.
QString storableUrl(const QUrl& url) {
    return QString::fromLatin1(url.toEncoded());
}

}  // namespace

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
        const QString given = lines.value(0).trimmed();
        if (!given.isEmpty()) {
            const QUrl url(given);
            dropped.format = DroppedData::Format::kLink;
            dropped.url = url.isValid() ? storableUrl(url) : given;
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
    // One web link, with or without text beside it (browsers, mail programs
    // and Qt programs offer the URL or its name as text too).
    if (urls.size() == 1 && urls.first().isValid()) {
        dropped.format = DroppedData::Format::kLink;
        dropped.url = storableUrl(urls.first());
        return dropped;
    }
    if (data.hasText()) {
        dropped.format = DroppedData::Format::kText;
        dropped.text = data.text();
    }
    return dropped;
}
