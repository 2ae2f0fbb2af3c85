#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "app/common/pending_items.h"
#include "core/model/item_id.h"

class ItemViewUpdater;
class QDrag;
class QTemporaryDir;
class QWidget;
class SelectionSource;

namespace tidemark {
class Note;
class Settings;
}  // namespace tidemark

// Dragging the selected items out of a list: the drag carries their records
// (for the lists of any window), their text export (for text fields) and a
// text file holding that export, named after the first item (for file
// managers). When a list of this window took them with the move effect,
// the dragged items are deleted afterwards. A drop anywhere else leaves
// them where they are, whatever effect the target reports: a file manager
// "moving" the text file must not take the memos with it.
class ItemDrag : public QObject {
    Q_OBJECT
public:
    ItemDrag(tidemark::Note& note, const tidemark::Settings& settings, SelectionSource& selection,
             ItemViewUpdater& views, QObject* parent = nullptr);
    ~ItemDrag() override;

    // Runs the drag (modal until it ends); `copyOnly` offers no move.
    void run(QWidget* source, bool copyOnly);
    // What runs a drag until it ends and gives the effect the target took:
    // QDrag::exec unless replaced (an offscreen platform has no drag of its
    // own; tests drive one).
    using Runner = std::function<Qt::DropAction(QDrag& drag, Qt::DropActions allowed,
                                                Qt::DropAction preferred)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }
    // The running drag carries `item` (or an item above it): a move onto it
    // is refused.
    bool isDragged(tidemark::ItemId item) const;
    // A list of this window took the dragged items.
    void takenHere() { m_takenHere = true; }

    // The text file's name for a first item titled `title`: the title with
    // the characters file names cannot hold as "_", cut to whole characters
    // so that with ".txt" it fits 255 bytes in the file system's encoding.
    static QString fileNameFor(const QString& title);
    // The text file the last drag carried, until the next drag starts;
    // empty when it carried none.
    QString lastFile() const { return m_file; }

private:
    tidemark::Note& m_note;
    const tidemark::Settings& m_settings;
    SelectionSource& m_selection;
    ItemViewUpdater& m_views;
    PendingItems m_pending;
    Runner m_runner;
    // The text file of the last drag, kept until the next one starts.
    std::unique_ptr<QTemporaryDir> m_fileFolder;
    QString m_file;
    bool m_running = false;
    bool m_takenHere = false;
};
