#include "app/common/byte_limit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/common/qt_text.h"

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

namespace {

// What `text`, just entered in `edit`, becomes: the characters CP932 cannot
// hold left out, then cut to `maxBytes`.
void fitLineEdit(QLineEdit* edit, int maxBytes, const UnstorableHandler& unstorable,
                 const QString& text) {
    QString lost;
    QString kept;
    const qsizetype caret = edit->cursorPosition();
    qsizetype keptCaret = caret;
    qsizetype from = 0;
    for (const TextSpan& span : unstorableSpans(text, &lost)) {
        kept += QStringView(text).sliced(from, span.start - from);
        from = span.start + span.length;
        if (span.start < caret)
            keptCaret -= span.length;
    }
    kept += QStringView(text).sliced(from);
    kept = cutToBytes(kept, maxBytes);
    if (kept == text)
        return;
    edit->setText(kept);
    edit->setCursorPosition(static_cast<int>(std::min(keptCaret, kept.size())));
    if (!lost.isEmpty() && unstorable)
        unstorable(lost);
}

// The same for the whole text of `edit`; `fixing` is set while this changes
// the text itself.
void fitPlainTextEdit(QPlainTextEdit* edit, int maxBytes, const UnstorableHandler& unstorable,
                      bool& fixing) {
    if (fixing)
        return;
    QString lost;
    const std::vector<TextSpan> spans = unstorableSpans(edit->toPlainText(), &lost);
    if (!spans.empty()) {
        // The plain text has one character per document position, so the
        // spans are document positions; taken out last first, the caret
        // keeps its place in the text around them. Undo would bring them
        // back (and this would take them out again), so the history ends
        // here, as it does when the text is cut to the limit.
        fixing = true;
        QTextCursor cursor(edit->document());
        cursor.beginEditBlock();
        for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
            cursor.setPosition(static_cast<int>(span->start));
            cursor.setPosition(static_cast<int>(span->start + span->length),
                               QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        cursor.endEditBlock();
        edit->document()->clearUndoRedoStacks();
        fixing = false;
    }
    // The edit shows line breaks as one character; the note stores two.
    const QString stored = withCrLf(edit->toPlainText());
    if (static_cast<int>(fromQString(stored).Size()) > maxBytes) {
        QString cut = cutToBytes(stored, maxBytes);
        cut.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (cut.endsWith(u'\r'))
            cut.chop(1);
        fixing = true;
        edit->setPlainText(cut);
        edit->moveCursor(QTextCursor::End);
        fixing = false;
    }
    if (!lost.isEmpty() && unstorable)
        unstorable(lost);
}

}  // namespace

void limitToBytes(QLineEdit* edit, int maxBytes, UnstorableHandler unstorable) {
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [edit, maxBytes, unstorable = std::move(unstorable)](const QString& text) {
                         fitLineEdit(edit, maxBytes, unstorable, text);
                     });
}

void limitToBytes(QPlainTextEdit* edit, int maxBytes, UnstorableHandler unstorable) {
    auto fixing = std::make_shared<bool>(false);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                     [edit, maxBytes, unstorable = std::move(unstorable), fixing] {
                         fitPlainTextEdit(edit, maxBytes, unstorable, *fixing);
                     });
}
