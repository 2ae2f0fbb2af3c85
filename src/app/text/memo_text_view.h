#pragma once

#include <QPlainTextEdit>

#include "core/model/item_id.h"

namespace tidemark {
class Note;
}

// The body of the open memo, or a placeholder text when no memo is open.
// Typing changes only the widget; commitEdits() stores a changed text back
// into the memo.
class MemoTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoTextView(QWidget* parent = nullptr);

    // The placeholder: how to begin (a note without items) or how to open a
    // memo (otherwise). Closes any open memo without committing.
    void showPlaceholder(bool noteHasItems);
    // Loads the memo's body and wrap mode; `memo` must be a memo of `note`,
    // which must outlive the view's hold on it.
    void showMemo(tidemark::Note& note, tidemark::ItemId memo);
    // Stores the text back into the open memo when it was changed.
    void commitEdits();

    tidemark::ItemId openMemo() const { return m_openMemo; }
    bool holdsMemo() const { return m_openMemo != tidemark::kNoItem; }
    void setNoteReadOnly(bool readOnly);

private:
    tidemark::Note* m_note = nullptr;
    tidemark::ItemId m_openMemo = tidemark::kNoItem;
    bool m_noteReadOnly = false;
};
