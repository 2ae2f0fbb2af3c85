#include "app/text/memo_session.h"

#include "app/common/qt_text.h"
#include "app/text/recent_memos.h"
#include "core/common/sjis.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/settings/settings.h"

namespace {

// The title taken from the first line: at most this many characters of the
// text, then at most this many bytes.
constexpr int kTitleChars = 300;
constexpr std::size_t kTitleBytes = 259;

const tidemark::Settings& firstRunSettings() {
    static const tidemark::Settings settings;
    return settings;
}

QString withStoredLineEnds(QString text) {
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void markNoteModified(tidemark::Note& note) {
    if (tidemark::NoteHost* host = note.Host())
        host->SetModified(true, true);
}

}  // namespace

QString withEditedLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

MemoSession::MemoSession(TextSource& source, QObject* parent) : QObject(parent), m_source(source) {}

void MemoSession::setSettings(const tidemark::Settings* settings) {
    m_settings = settings;
}

const tidemark::Settings& MemoSession::settings() const {
    return m_settings ? *m_settings : firstRunSettings();
}

tidemark::Memo* MemoSession::memo() const {
    if (!m_note)
        return nullptr;
    tidemark::Item* item = m_note->FindItem(m_openMemo);
    return item && item->IsMemo() ? static_cast<tidemark::Memo*>(item) : nullptr;
}

std::optional<QString> MemoSession::open(tidemark::Note& note, tidemark::ItemId memoId) {
    const tidemark::Item* item = note.FindItem(memoId);
    if (!item || !item->IsMemo())
        return std::nullopt;
    if (holdsMemo() && m_note == &note)
        closeOpenMemo();
    m_note = &note;
    m_openMemo = memoId;
    m_textModified = false;
    return withEditedLineEnds(toQString(static_cast<const tidemark::Memo&>(*item).Body()));
}

void MemoSession::closeOpenMemo() {
    const tidemark::ItemId closing = m_openMemo;
    if (tidemark::Memo* open = memo())
        open->newMemoMark = 0;
    store();
    applyTitleFromFirstLine();
    m_openMemo = tidemark::kNoItem;
    if (m_note && recordRecentMemo(*m_note, closing))
        emit recentMemosChanged();
    emit memoUpdated(closing);
}

void MemoSession::close() {
    if (holdsMemo())
        closeOpenMemo();
    m_textModified = false;
}

void MemoSession::leaveNote() {
    m_note = nullptr;
    m_openMemo = tidemark::kNoItem;
    m_textModified = false;
}

void MemoSession::textEdited(bool inFirstLine) {
    if (!holdsMemo())
        return;
    const bool firstChange = !m_textModified;
    m_textModified = true;
    if (firstChange && m_note)
        markNoteModified(*m_note);
    if (inFirstLine)
        applyTitleFromFirstLine();
}

void MemoSession::finishEditing() {
    if (!holdsMemo())
        return;
    applyTitleFromFirstLine();
    if (tidemark::Memo* open = memo())
        open->newMemoMark = 0;
    store();
}

void MemoSession::store() {
    if (m_readOnly || !m_textModified)
        return;
    tidemark::Memo* open = memo();
    if (!open)
        return;
    QString lost;
    open->SetBody(fromQString(withStoredLineEnds(m_source.text()), &lost));
    m_textModified = false;
    m_source.textStored();
    if (!lost.isEmpty())
        emit unstorable(lost);
    emit memoUpdated(m_openMemo);
    markNoteModified(*m_note);
}

void MemoSession::applyTitleFromFirstLine() {
    if (m_readOnly)
        return;
    tidemark::Memo* open = memo();
    if (!open || open->IsBodyLink())
        return;
    const tidemark::Settings& options = settings();
    if (!options.TitleFromFirstLine && !(options.TypeBodyFirst && open->newMemoMark))
        return;
    QString line = m_source.firstLine().left(kTitleChars);
    if (const qsizetype soft = line.indexOf(QChar::LineSeparator); soft >= 0)
        line.truncate(soft);
    tidemark::ByteString title = fromQString(line);
    title.Resize(tidemark::SafeCutLength(title.View(), kTitleBytes));
    if (title == open->Title())
        return;
    open->SetTitle(std::move(title));
    emit titleChanged(m_openMemo);
    emit memoUpdated(m_openMemo);
}
