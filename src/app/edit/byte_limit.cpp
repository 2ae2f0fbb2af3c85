#include "app/edit/byte_limit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/qt_text.h"

QString cutToBytes(const QString& text, int maxBytes) {
    if (static_cast<int>(fromQString(text).Size()) <= maxBytes)
        return text;
    QString head;
    int bytes = 0;
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, length);
        const int size = static_cast<int>(fromQString(piece).Size());
        if (bytes + size > maxBytes)
            break;
        head += piece;
        bytes += size;
        i += length;
    }
    return head;
}

QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\n' && (i == 0 || text.at(i - 1) != u'\r'))
            out += u'\r';
        out += text.at(i);
    }
    return out;
}

void limitToBytes(QLineEdit* edit, int maxBytes) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, maxBytes](const QString& text) {
        const QString cut = cutToBytes(text, maxBytes);
        if (cut != text)
            edit->setText(cut);
    });
}

void limitToBytes(QPlainTextEdit* edit, int maxBytes) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxBytes] {
        // The edit shows line breaks as one character; the note stores two.
        const QString text = edit->toPlainText();
        const QString stored = withCrLf(text);
        if (static_cast<int>(fromQString(stored).Size()) <= maxBytes)
            return;
        QString cut = cutToBytes(stored, maxBytes);
        cut.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (cut.endsWith(u'\r'))
            cut.chop(1);
        edit->setPlainText(cut);
        edit->moveCursor(QTextCursor::End);
    });
}
