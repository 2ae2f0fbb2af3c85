#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/byte_string.h"

// The one crossing between the note's CP932 bytes and the QStrings of the
// widgets. Decoding never fails (an invalid byte shows as U+FFFD); encoding
// drops what CP932 cannot hold and names the dropped characters in `lost`,
// so that the caller can tell the user.
QString toQString(std::string_view cp932);
inline QString toQString(const tidemark::ByteString& cp932) {
    return toQString(cp932.View());
}
tidemark::ByteString fromQString(const QString& text, QString* lost = nullptr);

// Where `text` holds characters that fromQString would drop: one span per
// character (a surrogate pair is one character of length 2), in order.
// `lost` names them as fromQString does.
struct TextSpan {
    qsizetype start;
    qsizetype length;
};
std::vector<TextSpan> unstorableSpans(const QString& text, QString* lost = nullptr);

// File paths as the file services and the value store keep them: the
// platform's own bytes (UTF-8 on Linux).
QString pathFromBytes(std::string_view bytes);
std::string pathToBytes(const QString& path);
