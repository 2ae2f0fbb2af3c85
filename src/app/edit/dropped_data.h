#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QMimeData;

// What a drop on a list takes from the data offered: the first of these
// formats that the data holds, and only that one.
struct DroppedData {
    enum class Format {
        kNone,
        kItems,  // item records (kItemsMimeType) in `items`; empty when unreadable
        kLink,   // a web link: `url` (percent-encoded), and `title` when the source named it
        kFiles,  // local files only: their paths in `files`
        kText,   // plain text in `text`
    };
    Format format = Format::kNone;
    QByteArray items;
    QString url;
    QString title;
    QStringList files;
    QString text;
};

// Reads a drop's data: items; a browser's link with its name
// (text/x-moz-url); a list of URLs that are all local files; a single URL
// as a link, whatever text comes with it; plain text. A link's URL is its
// percent-encoded form. Reads only the format taken (and the URL list when
// no earlier format applies).
DroppedData readDroppedData(const QMimeData& data);
