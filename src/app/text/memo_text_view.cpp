#include "app/text/memo_text_view.h"

#include "app/qt_text.h"
#include "app/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"

namespace {

constexpr std::uint32_t kPickAMemoText = 20002;
constexpr std::uint32_t kCreateAMemoText = 20003;

}  // namespace

MemoTextView::MemoTextView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("memoTextView"));
    showPlaceholder(false);
}

void MemoTextView::showPlaceholder(bool noteHasItems) {
    m_note = nullptr;
    m_openMemo = tidemark::kNoItem;
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setPlainText(uiText(noteHasItems ? kPickAMemoText : kCreateAMemoText)
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void MemoTextView::showMemo(tidemark::Note& note, tidemark::ItemId memoId) {
    const tidemark::Item* item = note.FindItem(memoId);
    if (!item || !item->IsMemo())
        return;
    const auto& memo = static_cast<const tidemark::Memo&>(*item);
    m_note = &note;
    m_openMemo = memoId;
    setLineWrapMode(memo.WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // Stored text ends its lines with CR LF; the widget wants LF.
    setPlainText(toQString(memo.Body()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    document()->setModified(false);
    setReadOnly(m_noteReadOnly);
}

void MemoTextView::commitEdits() {
    if (!m_note || !document()->isModified())
        return;
    auto* memo = static_cast<tidemark::Memo*>(m_note->FindItem(m_openMemo));
    if (!memo || !memo->IsMemo())
        return;
    memo->SetBody(fromQString(toPlainText().replace(u'\n', QStringLiteral("\r\n"))));
    document()->setModified(false);
    if (tidemark::NoteHost* host = m_note->Host())
        host->SetModified(true, true);
}

void MemoTextView::setNoteReadOnly(bool readOnly) {
    m_noteReadOnly = readOnly;
    if (holdsMemo())
        setReadOnly(readOnly);
}
