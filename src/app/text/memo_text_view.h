#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QPlainTextEdit>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/common/link_opener.h"
#include "app/text/memo_links.h"
#include "app/text/memo_session.h"
#include "core/model/item_id.h"

namespace tidemark {
class Note;
class Settings;
}  // namespace tidemark

// The body of the open memo, or a hint text when no memo is open. Which memo
// is open and how its text is stored belong to its MemoSession; the pane
// draws and edits the text and tells the session what happened to it.
//
// Typing changes only the widget; the text goes back into the memo (as the
// note's CP932 bytes, lines ending in CR LF) when it is stored: commitEdits(),
// which the pane itself runs when it loses the focus, when another memo is
// opened and before a link opens, and which everything else that reads the
// body runs first (saving, clipboard and drag data, title editing). Storing
// stamps the memo's modified time unless it is encrypted.
//
// A character the note cannot hold never reaches it: it is left out of what
// comes in (typed, composed, pasted, dropped or inserted), and the user is
// told which one it was.
//
// The note given to showMemo() and setColoursFor() must outlive the view's
// hold on it (until showPlaceholder()); the settings given to setSettings()
// must outlive the view. GUI thread only.
class MemoTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    // How a status text of the pane reads: plain, a link under the pointer,
    // or something that did not work.
    enum class Notice { kPlain, kLink, kFailure };
    Q_ENUM(Notice)

    // The marks drawn over the text.
    static constexpr int kMarkLineEnds = 0x1;
    static constexpr int kMarkTabs = 0x2;
    static constexpr int kMarkEnd = 0x4;

    explicit MemoTextView(QWidget* parent = nullptr);
    ~MemoTextView() override;

    // The user's options (font, tab width, marks, colours, title rules,
    // pictures); null: the defaults of a first run.
    void setSettings(const tidemark::Settings* settings);
    // Applies the font, the tab width, the marks and the colours again after
    // the settings changed.
    void applySettings();
    // Where links open; null: the desktop. Not owned.
    void setLinkOpener(LinkOpener* opener);
    LinkOpener& linkOpener() const { return m_opener ? *m_opener : *m_desktopOpener; }

    // The hint of the no-memo state, without storing anything: for a note
    // that was just replaced. `noteHasItems` picks the hint: how to open a
    // memo, or how to begin.
    void showPlaceholder(bool noteHasItems);
    // Opens a memo of `note`: the open one (if any) is closed first, as by
    // closeMemo() but without the hint; then the memo's body, wrap mode and
    // colours are loaded.
    void showMemo(tidemark::Note& note, tidemark::ItemId memo);
    // Closes the open memo: its title-follows-first-line mark is cleared, its
    // text stored, its title taken from the first line where the options ask
    // for it, and it goes to the front of the recently opened memos; then the
    // hint shows, in the colours of the note's current item.
    void closeMemo(bool noteHasItems);
    // Stores a changed text back into the open memo (nothing while the note
    // is read-only or when nothing changed).
    void commitEdits();
    // The open memo's word-wrap setting changed.
    void applyWordWrap();

    tidemark::ItemId openMemo() const { return m_session.openMemo(); }
    bool holdsMemo() const { return m_session.holdsMemo(); }
    // The text was edited since it was loaded or last stored.
    bool isTextModified() const { return m_session.isTextModified(); }
    void setNoteReadOnly(bool readOnly);
    bool isNoteReadOnly() const { return m_session.isReadOnly(); }
    // A memo is open and the note may be changed.
    bool canEdit() const { return m_session.canEdit(); }

    // The pane's colours for `focused`, an item of `note` (0: none): its own
    // text colour, else the note's; the background of the nearest item up
    // the tree (itself first, the root left out) that has one, else the
    // note's. With the option to ignore memo colours, the system's.
    void setColoursFor(const tidemark::Note& note, tidemark::ItemId focused);
    QColor textColour() const;
    QColor backgroundColour() const;

    void setMarkFlags(int flags);
    int markFlags() const { return m_markFlags; }

    // Inserts plain text at the caret, replacing the selection; the caret
    // goes after it. Nothing unless canEdit().
    void insertPlain(const QString& text);
    // The picture of the insert-date command expanded for the note's clock.
    QString dateTimeNow() const;
    // The template of inserted and dropped file names.
    QString fileNameTemplate() const;

    // The URL at a position of the document, if any.
    std::optional<LinkSpan> linkAt(int position) const;
    // Stores the text, selects the link and opens it; a link the desktop
    // cannot open is reported.
    void openLinkSpan(const LinkSpan& link);

    // Shows a status text through statusNotice().
    void showNotice(Notice kind, const QString& text) { emit statusNotice(kind, text); }

signals:
    // A status text for the main window's status bar.
    void statusNotice(MemoTextView::Notice kind, const QString& text);
    // Keys or mouse input changed what the edit commands can do; sent once
    // per burst of input.
    void editStateChanged();
    // The memo's row shows something new: it was opened or closed, its text
    // was stored, its title changed.
    void memoUpdated(tidemark::ItemId memo);
    // The memo's title followed its first line.
    void titleChanged(tidemark::ItemId memo);
    // The note's list of recently opened memos changed.
    void recentMemosChanged();
    // The user asked for the pane's popup menu at `globalPos`.
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    class Suppress;
    class DocumentText;

    const tidemark::Settings& settings() const { return m_session.settings(); }
    void loadText(const QString& text);
    void applyState();
    void applyFont();
    void applyTabWidth();
    void showHint(bool noteHasItems);
    void contentsChanged(int position, int removed, int added);
    bool isStorable(char32_t c);
    // `text` without the characters the note cannot hold, which are named
    // in a status text.
    QString storableText(const QString& text);
    void inputArrived();
    std::optional<LinkSpan> linkUnder(const QPoint& viewportPos) const;
    void paintMarks(QPaintEvent* event);
    QStringList droppedFiles(const QMimeData* source) const;

    std::unique_ptr<DocumentText> m_documentText;
    MemoSession m_session;
    int m_suppressed = 0;
    int m_markFlags = kMarkLineEnds | kMarkEnd;
    bool m_noteColours = false;  // colours of the memo, not of the system
    QColor m_text;
    QColor m_background;
    const tidemark::Note* m_colourNote = nullptr;
    tidemark::ItemId m_colourItem = tidemark::kNoItem;
    std::unique_ptr<LinkOpener> m_desktopOpener;
    LinkOpener* m_opener = nullptr;
    // A link pressed with the left button: where and when.
    std::optional<LinkSpan> m_pressedLink;
    QElapsedTimer m_pressTime;
    std::optional<LinkSpan> m_hoveredLink;
    QHash<char32_t, bool> m_storable;  // characters met so far
    QTimer m_inputBurst;
    bool m_droppingFiles = false;
};
