#include "app/text/memo_text_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QUrl>

#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/text/link_highlighter.h"
#include "app/text/text_insertion.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/settings.h"
#include "platform/qt_font_service.h"

namespace {

using tidemark::ItemId;

constexpr std::uint32_t kPickAMemoText = 20002;
constexpr std::uint32_t kCreateAMemoText = 20003;
constexpr std::uint32_t kBlankStatus = 12001;
constexpr std::uint32_t kCannotOpen = 12010;
constexpr std::uint32_t kUnstorable = 12019;
constexpr std::uint32_t kDefaultFileNameTemplate = 10047;

constexpr int kTextMargin = 5;

QColor qColour(tidemark::Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

}  // namespace

// The session's view of the document: read only when the session needs it.
class MemoTextView::DocumentText : public MemoSession::TextSource {
public:
    explicit DocumentText(QTextDocument& document) : m_document(document) {}
    QString text() const override { return m_document.toRawText(); }
    QString firstLine() const override { return m_document.firstBlock().text(); }
    void textStored() override { m_document.setModified(false); }

private:
    QTextDocument& m_document;
};

// Marks the changes the program makes itself, which are no edits of the user.
class MemoTextView::Suppress {
public:
    explicit Suppress(MemoTextView& view) : m_view(view) { ++m_view.m_suppressed; }
    ~Suppress() { --m_view.m_suppressed; }
    Suppress(const Suppress&) = delete;
    Suppress& operator=(const Suppress&) = delete;

private:
    MemoTextView& m_view;
};

MemoTextView::MemoTextView(QWidget* parent)
    : QPlainTextEdit(parent),
      m_documentText(std::make_unique<DocumentText>(*document())),
      m_session(*m_documentText),
      m_desktopOpener(std::make_unique<DesktopLinkOpener>()) {
    setObjectName(QStringLiteral("memoTextView"));
    new LinkHighlighter(document());
    document()->setDocumentMargin(kTextMargin);
    viewport()->setMouseTracking(true);
    m_inputBurst.setSingleShot(true);
    m_inputBurst.setInterval(0);
    connect(&m_inputBurst, &QTimer::timeout, this, &MemoTextView::editStateChanged);
    connect(document(), &QTextDocument::contentsChange, this, &MemoTextView::contentsChanged);
    connect(&m_session, &MemoSession::memoUpdated, this, &MemoTextView::memoUpdated);
    connect(&m_session, &MemoSession::titleChanged, this, &MemoTextView::titleChanged);
    connect(&m_session, &MemoSession::recentMemosChanged, this, &MemoTextView::recentMemosChanged);
    connect(&m_session, &MemoSession::unstorable, this, [this](const QString& characters) {
        showNotice(Notice::kFailure, uiFormat(kUnstorable, {utf8(characters)}));
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // The hint takes no focus: it goes back where it came from.
        if (now != this || holdsMemo() || !old || old == this)
            return;
        QPointer<QWidget> back(old);
        QTimer::singleShot(0, this, [this, back] {
            if (back && back->isVisible() && hasFocus() && !holdsMemo())
                back->setFocus(Qt::OtherFocusReason);
        });
    });
    applyFont();
    showPlaceholder(false);
}

MemoTextView::~MemoTextView() = default;

void MemoTextView::setSettings(const tidemark::Settings* settings) {
    m_session.setSettings(settings);
    applySettings();
}

void MemoTextView::applySettings() {
    applyFont();
    setMarkFlags(settings().HideMarks ? 0 : kMarkLineEnds | kMarkEnd);
    if (m_colourNote)
        setColoursFor(*m_colourNote, m_colourItem);
}

void MemoTextView::setLinkOpener(LinkOpener* opener) {
    m_opener = opener;
}

void MemoTextView::applyFont() {
    const tidemark::FontSetting& setting = settings().EditFont;
    QFont font = setting.IsEmpty() ? QApplication::font(this) : QtFontService::toQFont(setting);
    font.setBold(false);
    font.setItalic(false);
    Suppress suppress(*this);
    setFont(font);
    applyTabWidth();
}

void MemoTextView::applyTabWidth() {
    const QFontMetricsF metrics(font());
    setTabStopDistance(metrics.averageCharWidth() * settings().EffectiveTabWidth());
}

void MemoTextView::setMarkFlags(int flags) {
    if (m_markFlags == flags)
        return;
    m_markFlags = flags;
    viewport()->update();
}

void MemoTextView::loadText(const QString& text) {
    Suppress suppress(*this);
    setPlainText(text);
    document()->setModified(false);
}

void MemoTextView::applyState() {
    if (!holdsMemo()) {
        setReadOnly(true);
        setTextInteractionFlags(Qt::NoTextInteraction);
        viewport()->setCursor(Qt::ArrowCursor);
    } else if (isNoteReadOnly()) {
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        viewport()->setCursor(Qt::IBeamCursor);
    } else {
        setReadOnly(false);
        viewport()->setCursor(Qt::IBeamCursor);
    }
}

void MemoTextView::showHint(bool noteHasItems) {
    m_hoveredLink.reset();
    m_pressedLink.reset();
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    loadText(withEditedLineEnds(uiText(noteHasItems ? kPickAMemoText : kCreateAMemoText)));
    Suppress suppress(*this);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    all.mergeCharFormat(italic);
    document()->clearUndoRedoStacks();
    applyState();
}

void MemoTextView::showPlaceholder(bool noteHasItems) {
    m_session.leaveNote();
    showHint(noteHasItems);
}

void MemoTextView::showMemo(tidemark::Note& note, ItemId memoId) {
    const std::optional<QString> text = m_session.open(note, memoId);
    if (!text)
        return;
    applyWordWrap();
    loadText(*text);
    applyState();
    setColoursFor(note, memoId);
    emit memoUpdated(memoId);
}

void MemoTextView::closeMemo(bool noteHasItems) {
    m_session.close();
    showHint(noteHasItems);
    if (tidemark::Note* note = m_session.note())
        setColoursFor(*note, note->CurrentItemId());
}

void MemoTextView::commitEdits() {
    m_session.store();
}

void MemoTextView::applyWordWrap() {
    if (const tidemark::Memo* open = m_session.memo())
        setLineWrapMode(open->WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void MemoTextView::setNoteReadOnly(bool readOnly) {
    m_session.setReadOnly(readOnly);
    applyState();
}

void MemoTextView::setColoursFor(const tidemark::Note& note, ItemId focused) {
    m_colourNote = &note;
    m_colourItem = focused;
    QColor text;
    QColor background;
    if (settings().EditorNoColors) {
        const QPalette system = QApplication::palette(this);
        text = system.color(QPalette::Text);
        background = system.color(QPalette::Base);
    } else {
        tidemark::Colour textColour = note.View().textColour;
        tidemark::Colour backgroundColour = note.View().backgroundColour;
        if (const tidemark::Item* item = note.FindItem(focused)) {
            if (item->HasOwnTextColour())
                textColour = item->ForegroundColour();
            std::size_t steps = note.Items().Size();
            for (const tidemark::Item* at = item; at && at->links.id != note.RootId() && steps;
                 at = note.FindItem(at->links.parent), --steps) {
                if (at->HasOwnBackgroundColour()) {
                    backgroundColour = at->BackgroundColour();
                    break;
                }
            }
        }
        text = qColour(textColour);
        background = qColour(backgroundColour);
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Text, text);
    colours.setColor(QPalette::Base, background);
    setPalette(colours);
}

QColor MemoTextView::textColour() const {
    return palette().color(QPalette::Text);
}

QColor MemoTextView::backgroundColour() const {
    return palette().color(QPalette::Base);
}

void MemoTextView::contentsChanged(int position, int removed, int added) {
    if (m_suppressed || !holdsMemo() || (removed == 0 && added == 0))
        return;
    m_session.textEdited(position < document()->firstBlock().length());
    inputArrived();
}

bool MemoTextView::isStorable(char32_t c) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c < 0x80)
        return true;
    if (auto known = m_storable.constFind(c); known != m_storable.constEnd())
        return *known;
    QString lost;
    const char32_t one[] = {c};
    fromQString(QString::fromUcs4(one, 1), &lost);
    const bool storable = lost.isEmpty();
    m_storable.insert(c, storable);
    return storable;
}

QString MemoTextView::storableText(const QString& text) {
    QString kept;
    QString lost;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        }
        (isStorable(c) ? kept : lost) += text.mid(i, length);
        i += length - 1;
    }
    if (!lost.isEmpty())
        showNotice(Notice::kFailure, uiFormat(kUnstorable, {utf8(lost)}));
    return kept;
}

void MemoTextView::inputArrived() {
    m_inputBurst.start();
}

void MemoTextView::insertPlain(const QString& text) {
    if (!canEdit())
        return;
    insertPlainText(storableText(text));
}

QString MemoTextView::dateTimeNow() const {
    const tidemark::Note* note = m_session.note();
    const tidemark::SystemTime now =
        note ? note->GetClock().Now() : tidemark::SystemClock::Instance().Now();
    return dateTimeText(now, settings().DateTimeFormat);
}

QString MemoTextView::fileNameTemplate() const {
    const tidemark::ByteString& stored = settings().FileNameTemplate;
    return stored.Empty() ? uiText(kDefaultFileNameTemplate) : toQString(stored);
}

std::optional<LinkSpan> MemoTextView::linkAt(int position) const {
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return std::nullopt;
    const qsizetype inBlock = position - block.position();
    for (const LinkSpan& span : findLinks(block.text())) {
        if (span.contains(inBlock))
            return LinkSpan{span.start + block.position(), span.length};
    }
    return std::nullopt;
}

std::optional<LinkSpan> MemoTextView::linkUnder(const QPoint& viewportPos) const {
    const QTextCursor cursor = cursorForPosition(viewportPos);
    const QRect caret = cursorRect(cursor);
    if (viewportPos.y() < caret.top() || viewportPos.y() > caret.bottom())
        return std::nullopt;
    // The character under the point: the one after the nearest caret place,
    // or the one before it when the point lies left of that place.
    int position = cursor.position();
    if (viewportPos.x() < caret.left())
        --position;
    const QTextBlock block = cursor.block();
    if (position < block.position() || position >= block.position() + block.length() - 1)
        return std::nullopt;
    return linkAt(position);
}

void MemoTextView::openLinkSpan(const LinkSpan& link) {
    commitEdits();
    QTextCursor selection = textCursor();
    selection.setPosition(int(link.start));
    selection.setPosition(int(link.start + link.length), QTextCursor::KeepAnchor);
    setTextCursor(selection);
    const QString target = selection.selectedText();
    if (!linkOpener().openLink(target)) {
        showNotice(Notice::kFailure, uiFormat(kCannotOpen, {utf8(target)}));
        QApplication::beep();
    }
}

void MemoTextView::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (canEdit() && !typed.isEmpty()) {
        const QString kept = storableText(typed);
        if (kept != typed) {
            if (!kept.isEmpty())
                insertPlainText(kept);
            event->accept();
            inputArrived();
            return;
        }
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers().testFlag(Qt::ShiftModifier)) {
        // A line break is a line break: no soft breaks inside a line.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
    inputArrived();
}

void MemoTextView::inputMethodEvent(QInputMethodEvent* event) {
    const QString composed = event->commitString();
    if (canEdit() && !composed.isEmpty()) {
        const QString kept = storableText(composed);
        if (kept != composed) {
            QInputMethodEvent filtered(event->preeditString(), event->attributes());
            filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
            QPlainTextEdit::inputMethodEvent(&filtered);
            event->setAccepted(filtered.isAccepted());
            return;
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void MemoTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && holdsMemo()) {
        m_pressedLink = linkUnder(event->position().toPoint());
        if (m_pressedLink)
            m_pressTime.start();
    }
    QPlainTextEdit::mousePressEvent(event);
    inputArrived();
}

void MemoTextView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_pressedLink && holdsMemo()) {
        const bool quick = m_pressTime.elapsed() <= QApplication::doubleClickInterval();
        const std::optional<LinkSpan> link = linkUnder(event->position().toPoint());
        if (quick && link)
            openLinkSpan(*link);
    }
    if (event->button() == Qt::LeftButton)
        m_pressedLink.reset();
    inputArrived();
}

void MemoTextView::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    if (!holdsMemo())
        return;
    const std::optional<LinkSpan> link = linkUnder(event->position().toPoint());
    if (link == m_hoveredLink)
        return;
    m_hoveredLink = link;
    viewport()->setCursor(link ? Qt::PointingHandCursor : Qt::IBeamCursor);
    if (link) {
        QTextCursor span(document());
        span.setPosition(int(link->start));
        span.setPosition(int(link->start + link->length), QTextCursor::KeepAnchor);
        showNotice(Notice::kLink, span.selectedText());
    } else {
        showNotice(Notice::kPlain, uiText(kBlankStatus));
    }
}

void MemoTextView::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    // A menu opening over the pane takes the focus only for a moment.
    if (event->reason() == Qt::PopupFocusReason || !holdsMemo())
        return;
    m_session.finishEditing();
}

void MemoTextView::contextMenuEvent(QContextMenuEvent* event) {
    if (!holdsMemo())
        return;
    setFocus(Qt::OtherFocusReason);
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(cursorRect().bottomLeft())
                          : event->globalPos();
    emit contextMenuRequested(at);
}

QStringList MemoTextView::droppedFiles(const QMimeData* source) const {
    QStringList paths;
    if (!source || !source->hasUrls())
        return paths;
    for (const QUrl& url : source->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

void MemoTextView::dropEvent(QDropEvent* event) {
    const bool files = !droppedFiles(event->mimeData()).isEmpty();
    m_droppingFiles = files;
    QPlainTextEdit::dropEvent(event);
    m_droppingFiles = false;
    if (files && event->isAccepted())
        setFocus(Qt::OtherFocusReason);
}

bool MemoTextView::canInsertFromMimeData(const QMimeData* source) const {
    return canEdit() && (!droppedFiles(source).isEmpty() || source->hasText());
}

void MemoTextView::insertFromMimeData(const QMimeData* source) {
    if (!canEdit())
        return;
    if (m_droppingFiles) {
        insertPlainText(storableText(droppedFilesText(droppedFiles(source), fileNameTemplate())));
        return;
    }
    // Only the plain text of what is pasted or dropped.
    if (source->hasText())
        insertPlainText(storableText(source->text()));
}
