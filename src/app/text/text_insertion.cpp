#include "app/text/text_insertion.h"

#include "app/common/qt_text.h"
#include "core/common/sjis.h"
#include "core/common/time_text.h"

namespace {

constexpr std::size_t kDateTextBytes = 259;

// Bytes the text takes in the note's encoding (characters it cannot hold
// take none).
std::size_t noteBytes(const QString& text) {
    return fromQString(text).Size();
}

}  // namespace

QString dateTimeText(const tidemark::SystemTime& now, const tidemark::ByteString& picture) {
    const std::string fallback =
        picture.Empty() ? tidemark::DefaultDateTimePicture() : std::string();
    const std::string_view pictureBytes =
        picture.Empty() ? std::string_view(fallback) : picture.View();
    std::string date = tidemark::FormatDatePicture(now, pictureBytes);
    date.resize(tidemark::SafeCutLength(date, kDateTextBytes));
    return toQString(tidemark::FormatTimePicture(now, date));
}

QString fileNameText(const QString& path, const QString& pattern) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(slash + 1);
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != u'%' || i + 1 == pattern.size()) {
            text += c;
            continue;
        }
        const QChar next = pattern[++i];
        if (next == u'%') {
            text += u'%';
        } else if (next == u'F') {
            text += path;
        } else if (next == u'f') {
            text += name;
        } else {
            text += c;
            text += next;
        }
    }
    if (noteBytes(text) <= kFileNameTextBytes)
        return text;
    // The longest prefix that fits, never ending inside a surrogate pair.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        qsizetype middle = (fits + tooLong) / 2;
        if (text[middle - 1].isHighSurrogate())
            --middle;
        if (middle <= fits) {
            break;
        }
        if (noteBytes(text.left(middle)) <= kFileNameTextBytes) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return text.left(fits);
}

QString droppedFilesText(const QStringList& paths, const QString& pattern) {
    QString text;
    for (const QString& path : paths) {
        text += fileNameText(path, pattern);
        text += u' ';
    }
    return text;
}
