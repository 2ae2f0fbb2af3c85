#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/common/pending_items.h"
#include "app/edit/item_mime_data.h"
#include "core/model/item_id.h"

class ItemViewUpdater;

namespace tidemark {
class Note;
class Settings;
}  // namespace tidemark

// What a cut or copy of items puts on the system clipboard, and when a cut
// becomes a move.
//
// A cut or copy holds the items (PendingItems) and puts data on the
// clipboard that is made only when some program first asks for it: the
// item records and their text export. Making it deletes nothing, whoever
// asks (clipboard managers read every format at once). A pending cut
// becomes a move only when the items have been pasted by a window of the
// program: a paste through this object takes the items as they are now and
// the cut items are deleted once they are in (unless the note is
// read-only); a paste in another window hands the clipboard on with the
// cut's mark (kPastedCutMimeType), and the cut items are then deleted here
// if they are still what that window read. Until then they stay in place
// (isCut); cancelCut() or another program taking the clipboard ends the
// cut with nothing moved.
//
// GUI thread only. The note, settings and views must outlive the object.
// When it goes while its data is still unrequested on the clipboard, the
// data is made then, without deleting anything, so that other programs can
// still paste it.
class ClipboardProtocol : public QObject {
    Q_OBJECT
public:
    enum class Kind { kCut, kCopy };

    ClipboardProtocol(tidemark::Note& note, const tidemark::Settings& settings,
                      ItemViewUpdater& views, QObject* parent = nullptr);
    ~ClipboardProtocol() override;

    // Holds the `selected` items (list order) for a cut or copy and
    // announces their data on the clipboard, after storing the pending
    // edits. What was held before is let go. Nothing for no items, or for a
    // cut of a read-only note.
    void take(Kind kind, const std::vector<tidemark::ItemId>& selected);
    // A pending cut ends, nothing moves, and the clipboard is emptied when
    // it holds this cut's data.
    void cancelCut();

    // `item` is cut and waits for its move (or lies below a cut item).
    bool isCut(tidemark::ItemId item) const;
    // This object's data is what the clipboard holds now.
    bool ownsClipboard() const;

    // The items a paste of the clipboard's `data` (which offers
    // kItemsMimeType) puts in, with what the clipboard needs once they are
    // in.
    struct ItemsPaste {
        QByteArray block;  // the records to paste; empty when unreadable
        // This object's own cut, made from its items as they are now (the
        // clipboard's copy may predate later edits): it moves.
        std::optional<ItemMimeData::Content> ownCut;
        // Another window's cut: its mark and text, to hand on.
        QByteArray foreignMark;
        QString foreignText;
    };
    ItemsPaste itemsToPaste(const QMimeData& data);
    // The items of `paste` are in the note: this object's cut moves (if it
    // is still pending, on the clipboard and intact), or another window's
    // cut is handed back to it through the clipboard.
    void itemsPasted(const ItemsPaste& paste);

signals:
    // The set of cut items changed: ghosted rows need repainting.
    void cutChanged();

private:
    enum class Holding { kNone, kCut, kCopy };

    bool readOnly() const;
    void markModified();
    void reportFailure(std::uint32_t code);

    // Lets go of the pending items (the cut rows lose their ghosting).
    void dropPending();
    // The data of the pending items; nothing when they cannot be written.
    std::optional<ItemMimeData::Content> makeContent();
    // The first request for the clipboard data.
    std::optional<ItemMimeData::Content> render();
    void clipboardChanged();
    // The pending cut was pasted: its items go. The clipboard keeps
    // `moved` (what was pasted) as a copy when it still holds this cut.
    void finishMove(const ItemMimeData::Content& moved);
    // Another window's cut, named by `mark`, was pasted here from the
    // clipboard: the clipboard goes on holding the same items and text,
    // with the mark that lets that window delete its items.
    void handOnPastedCut(const QByteArray& items, const QString& text, const QByteArray& mark);

    tidemark::Note& m_note;
    const tidemark::Settings& m_settings;
    ItemViewUpdater& m_views;
    PendingItems m_pending;
    Holding m_holding = Holding::kNone;
    QPointer<ItemMimeData> m_data;  // owned by the clipboard
    QByteArray m_cutMark;           // names the pending cut on the clipboard
    // The item records of the pending cut as the clipboard gave them out.
    std::optional<QByteArray> m_cutRendered;
};
