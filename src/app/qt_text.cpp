#include "app/qt_text.h"

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

QString pathFromBytes(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string pathToBytes(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
