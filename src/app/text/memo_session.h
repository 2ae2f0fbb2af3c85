#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "core/model/item_id.h"

namespace tidemark {
class Memo;
class Note;
class Settings;
}  // namespace tidemark

// The memo open in the text pane and the rules of its text, without the
// widget: which memo is open, the text it is opened with, storing a changed
// text back into it, its title following the first line, and the note's list
// of recently opened memos.
//
// The text is edited somewhere else (the pane) and read from a TextSource
// only when it is needed. The session's text has one line break, '\n' on
// opening; what it reads back may separate lines by U+2029 (between the
// document's blocks) or U+2028 (a soft break that pasted text carries), and
// every one of them is stored as CR LF.
//
// Storing writes the note's CP932 bytes, which stamps the memo's modified
// time unless the memo is encrypted, and marks the note modified by the user
// through its host. Characters CP932 cannot hold are left out of the body
// and named through unstorable().
//
// The text source must outlive the session; the note given to open() must
// outlive the session's hold on it (until leaveNote()), the settings given
// to setSettings() the session. GUI thread only.
class MemoSession : public QObject {
    Q_OBJECT
public:
    // What the session reads of the text being edited.
    class TextSource {
    public:
        virtual ~TextSource() = default;
        // The whole text, lines separated by U+2029 or U+2028.
        virtual QString text() const = 0;
        // The first line: the text up to its first U+2029.
        virtual QString firstLine() const = 0;
        // The text was stored: it is the memo's body again.
        virtual void textStored() {}
    };

    explicit MemoSession(TextSource& source, QObject* parent = nullptr);

    // The user's title rules; null: the defaults of a first run.
    void setSettings(const tidemark::Settings* settings);
    const tidemark::Settings& settings() const;

    // The note of the open memo, or of the memo closed last; null after
    // leaveNote().
    tidemark::Note* note() const { return m_note; }
    tidemark::ItemId openMemo() const { return m_openMemo; }
    bool holdsMemo() const { return m_openMemo != tidemark::kNoItem; }
    // The open memo; null without one, or when the note no longer has it.
    tidemark::Memo* memo() const;

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    // A memo is open and the note may be changed.
    bool canEdit() const { return holdsMemo() && !m_readOnly; }
    // The text was edited since it was opened or last stored.
    bool isTextModified() const { return m_textModified; }

    // Makes `memo` of `note` the open memo and returns its body as the text
    // to edit. A memo of the same note that is open is closed first, as by
    // close(); one of another note is let go without storing. Nothing
    // happens (nullopt) when `memo` is no memo of `note`. memoUpdated() is
    // not sent for the opened memo: whoever shows it announces it.
    std::optional<QString> open(tidemark::Note& note, tidemark::ItemId memo);
    // Closes the open memo, if any: its title-follows-first-line mark is
    // cleared, its text stored, its title taken from the first line where
    // the options ask for it, and it goes to the front of the recently
    // opened memos. The note stays the session's note.
    void close();
    // Lets go of the note without storing anything: for a note that was
    // just replaced.
    void leaveNote();

    // The user changed the text; `inFirstLine`: the change begins in the
    // first line. The first change since opening or storing marks the note
    // modified.
    void textEdited(bool inFirstLine);
    // The user left the text for now: the title follows the first line a
    // last time, a new memo's title stops following it unless the options
    // always ask for that, and the text is stored.
    void finishEditing();
    // Stores a changed text back into the open memo (nothing while the note
    // is read-only, when nothing changed or when the memo is gone).
    void store();

signals:
    // The memo's row shows something new: its text was stored, its title
    // changed, or it was closed.
    void memoUpdated(tidemark::ItemId memo);
    // The memo's title followed its first line.
    void titleChanged(tidemark::ItemId memo);
    // The note's list of recently opened memos changed.
    void recentMemosChanged();
    // `characters` were left out of a stored text: CP932 cannot hold them.
    void unstorable(const QString& characters);

private:
    void closeOpenMemo();
    void applyTitleFromFirstLine();

    TextSource& m_source;
    const tidemark::Settings* m_settings = nullptr;
    tidemark::Note* m_note = nullptr;
    tidemark::ItemId m_openMemo = tidemark::kNoItem;
    bool m_textModified = false;
    bool m_readOnly = false;
};

// Every line end of a stored text (CR LF, or a lone CR or LF) as the one
// line break of an edited text, '\n'.
QString withEditedLineEnds(QString text);
