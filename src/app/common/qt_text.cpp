#include "app/common/qt_text.h"

#include <QFile>

#include "core/common/cp932_codec.h"

QString toQString(std::string_view cp932) {
    const std::u16string utf16 = tidemark::Cp932ToUtf16(cp932);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

tidemark::ByteString fromQString(const QString& text, QString* lost) {
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    tidemark::Cp932Text encoded = tidemark::Utf16ToCp932(utf16);
    if (lost) {
        lost->clear();
        for (char32_t c : encoded.lost) {
            const char32_t one[] = {c};
            lost->append(QString::fromUcs4(one, 1));
        }
    }
    return tidemark::ByteString(std::move(encoded.bytes));
}

std::vector<TextSpan> unstorableSpans(const QString& text, QString* lost) {
    QString dropped;
    fromQString(text, &dropped);
    if (lost)
        *lost = dropped;
    std::vector<TextSpan> spans;
    if (dropped.isEmpty())
        return spans;
    // The encoder lists every dropped character in input order, an unpaired
    // surrogate as U+FFFD; walking the text in step with that list finds
    // them without encoding anything again.
    const std::u32string order = dropped.toStdU32String();
    std::size_t next = 0;
    for (qsizetype i = 0; i < text.size() && next < order.size();) {
        qsizetype length = 1;
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        } else if (text[i].isSurrogate()) {
            c = 0xFFFD;
        }
        if (c == order[next]) {
            spans.push_back({i, length});
            ++next;
        }
        i += length;
    }
    return spans;
}

QString pathFromBytes(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string pathToBytes(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
