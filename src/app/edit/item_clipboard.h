#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "app/edit/item_mime_data.h"
#include "app/edit/pending_items.h"
#include "core/model/item_id.h"

class EditPrompts;
class QMimeData;
class ItemViewUpdater;
class SelectionSource;

namespace tidemark {
class Note;
class Settings;
}  // namespace tidemark

// Moving items through the system clipboard from the lists: cut, copy and
// the three pastes (after, before, inside the focused item of the list that
// is the focus window).
//
// A cut or copy holds the selected items (PendingItems) and puts data on the
// clipboard that is made only when some program first asks for it: the
// item records and their text export. Making it deletes nothing, whoever
// asks (clipboard managers read every format at once). A pending cut
// becomes a move only when the items have been pasted by a window of the
// program: a paste of this object takes the items as they are now, pastes
// them and then deletes them (unless the note is read-only); a paste in
// another window hands the clipboard on with the cut's mark
// (kPastedCutMimeType), and the cut items are then deleted here if they are
// still what that window read. Until then they stay in place, drawn ghosted
// (isCut); Escape (cancelCut) or another program taking the clipboard ends
// the cut with nothing moved. Pasting creates new items with fresh ids from
// the item records, or a new memo from plain text.
//
// GUI thread only. The note, settings, selection, views and prompts must
// outlive the object. When it goes while its data is still unrequested on
// the clipboard, the data is made then, without deleting anything, so that
// other programs can still paste it.
class ItemClipboard : public QObject {
    Q_OBJECT
public:
    ItemClipboard(tidemark::Note& note, const tidemark::Settings& settings,
                  SelectionSource& selection, ItemViewUpdater& views, EditPrompts& prompts,
                  QObject* parent = nullptr);
    ~ItemClipboard() override;

    // The states of the list commands: cut and copy need a selected item
    // (cut also a writable note); a paste needs a writable note, items or
    // text on the clipboard and not a pending cut of the place, and, by
    // `relation` and `order` (as Placement), a focused item (before) or a
    // focused memo group (inside).
    bool canCut() const;
    bool canCopy() const;
    bool canPaste(int relation, int order) const;

    void cut();
    void copy();
    // Placement::kBeside + kAfter, kBeside + kBefore, or kInside + kAfter.
    void paste(int relation, int order);
    // Escape in a list: a pending cut ends, nothing moves, and the clipboard
    // is emptied when it holds this cut's data.
    void cancelCut();

    // A drop on a list at a place: beside or inside `target` by the
    // Placement `relation` and `order` (0 target: the end of the note).
    // Items, a web link, local files (through the file importer) or text
    // are taken, in that order; a lock in the way refuses the drop. True
    // when something went in.
    bool drop(const QMimeData* data, tidemark::ItemId target, int relation, int order);
    // What dropped local files become (the text import); unset, they are
    // refused. Called with the paths and the place as for drop().
    using FileImporter = std::function<bool(const QStringList& paths, tidemark::ItemId target,
                                            int relation, int order)>;
    void setFileImporter(FileImporter importer) { m_importFiles = std::move(importer); }

    // The item is cut and waits for its move (its rows are drawn ghosted).
    bool isCut(tidemark::ItemId item) const;
    // Text on the clipboard counts as absent for pasting: this object's cut
    // is pending and the place a paste would go to is one of the cut items
    // or lies below one.
    bool hidesClipboardText() const;

signals:
    // The set of cut items changed: ghosted rows need repainting.
    void cutChanged();
    // A pasted item to show: the focus of the list goes to its row, which
    // is selected alone when `exclusive`.
    void revealRequested(tidemark::ItemId item, bool exclusive);

private:
    enum class Kind { kNone, kCut, kCopy };
    // Where a paste goes: the target and the Placement relation and order.
    struct Place {
        tidemark::ItemId target = tidemark::kNoItem;
        int relation = 0;
        int order = 0;
    };

    bool readOnly() const;
    void markModified();
    void reportFailure(std::uint32_t code);
    // The focused item of the focus window list; 0 when none.
    tidemark::ItemId focusedItem() const;
    // What a paste with `relation` and `order` aims at; nothing when the
    // command needs a focused item and there is none.
    std::optional<Place> pastePlace(int relation, int order) const;
    // This object's data is what the clipboard holds now.
    bool ownsClipboard() const;

    void take(Kind kind);
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

    // With `fallBack` (a paste) a place refused by a lock sends the items
    // to the end of the note; without (a drop) nothing goes in.
    bool pasteItems(const QByteArray& block, Place place, bool fallBack);
    bool pasteText(const QString& text, const Place& place);
    bool pasteLink(const QString& url, const QString& title, const Place& place);
    // The item whose lock stands in the way of placing items at `place`,
    // with the message that says so (20082 or 20077); nothing when none.
    // `run` is the run to place (0: judge the place alone).
    std::optional<std::pair<std::uint32_t, tidemark::ItemId>> lockRefusal(
        const Place& place, tidemark::ItemId run) const;
    // The lock owner items placed at `place` take; 0 when none.
    tidemark::ItemId lockOwnerAt(const Place& place) const;
    // Expands a collapsed group that receives items as children.
    void openTarget(const Place& place);

    tidemark::Note& m_note;
    const tidemark::Settings& m_settings;
    SelectionSource& m_selection;
    ItemViewUpdater& m_views;
    EditPrompts& m_prompts;
    PendingItems m_pending;
    Kind m_kind = Kind::kNone;
    QPointer<ItemMimeData> m_data;  // owned by the clipboard
    QByteArray m_cutMark;           // names the pending cut on the clipboard
    // The item records of the pending cut as the clipboard gave them out.
    std::optional<QByteArray> m_cutRendered;
    FileImporter m_importFiles;
};
