#include "app/list/title_editor.h"

#include <QKeyEvent>

#include "app/common/qt_text.h"
#include "core/model/item_id.h"

TitleEditor::TitleEditor(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("titleEditor"));
    setFrame(false);
    setAutoFillBackground(true);
    connect(this, &QLineEdit::textEdited, this, [this] {
        keepWithinLimit();
        emit activity();
    });
    connect(this, &QLineEdit::cursorPositionChanged, this, &TitleEditor::activity);
}

void TitleEditor::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const int length = int(text().size());
    if (length > 0 && selectedText().size() == length)
        setSelection(length, -length);
}

void TitleEditor::keepWithinLimit() {
    const QString current = text();
    if (fromQString(current).Size() <= tidemark::kMaxTitleBytes)
        return;
    // Whole characters as long as they fit; a character the note cannot
    // hold takes no bytes and is left for the owner to report.
    QString kept;
    std::size_t used = 0;
    for (qsizetype i = 0; i < current.size();) {
        const qsizetype length = current[i].isHighSurrogate() && i + 1 < current.size() ? 2 : 1;
        const QString one = current.mid(i, length);
        const std::size_t size = fromQString(one).Size();
        if (used + size > tidemark::kMaxTitleBytes)
            break;
        used += size;
        kept += one;
        i += length;
    }
    const int cursor = cursorPosition();
    setText(kept);
    setCursorPosition(std::min(cursor, int(kept.size())));
}

void TitleEditor::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        event->accept();
        emit moveRequested(event->key() == Qt::Key_Up ? -1 : +1);
        return;
    }
    QLineEdit::keyPressEvent(event);
    emit activity();
}

void TitleEditor::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit activity();
}
