#pragma once

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/context/window_context.h"
#include "app/edit/clipboard_protocol.h"
#include "app/edit/item_placement.h"
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
// is the focus window), and drops on a list.
//
// What goes on the clipboard and when a cut moves is ClipboardProtocol's
// part, where new items may go ItemPlacement's, what a drop offers
// readDroppedData's; this object puts them together with the window. A
// paste or drop creates new items with fresh ids from item records, a
// link memo from a web link, or a new memo from plain text.
//
// GUI thread only. The note, settings, selection, views and prompts must
// outlive the object.
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

    // A drop on `list` at a place: beside or inside `target` by the
    // Placement `relation` and `order` (0 target: the end of the note).
    // Items, a web link, local files (through the file importer) or text
    // are taken, in that order; a lock in the way refuses the drop. True
    // when something went in.
    bool drop(const QMimeData* data, tidemark::ItemId target, int relation, int order,
              ListKind list);
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
    // New rows to show in `list`, the list the paste or drop was for (the
    // group list keeps showing its group): they are selected alone there,
    // the focus on the last; with `editTitle` the list takes the keyboard
    // focus and the last row's title is edited.
    void revealRequested(ListKind list, const std::vector<tidemark::ItemId>& rows, bool editTitle);

private:
    bool readOnly() const;
    void markModified();
    void reportFailure(std::uint32_t code);
    // What a paste with `relation` and `order` aims at in the focus window
    // list; nothing when the command needs a focused item and there is none.
    std::optional<ItemPlace> pastePlace(int relation, int order) const;

    // The run of item records `block` at `place`: a place refused by a lock
    // (or gone) sends the run as `whenRefused` says.
    bool pasteItems(const QByteArray& block, const ItemPlace& place,
                    ItemPlacement::WhenRefused whenRefused);
    bool pasteText(const QString& text, const ItemPlace& place);
    bool pasteLink(const QString& url, const QString& title, const ItemPlace& place);
    // Shows the error of a lock in the way of one new memo at `place`.
    bool refusedForMemo(const ItemPlace& place);
    // Expands a collapsed group that receives items as children.
    void openTarget(const ItemPlace& place);

    tidemark::Note& m_note;
    const tidemark::Settings& m_settings;
    SelectionSource& m_selection;
    ItemViewUpdater& m_views;
    EditPrompts& m_prompts;
    ItemPlacement m_placement;
    ClipboardProtocol m_protocol;
    FileImporter m_importFiles;
    // The list the paste or drop under way is for.
    ListKind m_placingFor = ListKind::kMemoList;
};
