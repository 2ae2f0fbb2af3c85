#pragma once

#include <QObject>
#include <QStringList>

class Application;
class QMimeData;
class QWidget;

// Note files dropped on a window open as the open command opens them: in an
// empty window here, else in the window that shows them or a new one. On
// the lists they are taken out of the files the text import gets; anywhere
// else on the window (toolbars, status bar) only note files are taken.

struct DroppedPaths {
    QStringList notes;   // ".tmk" files, in the order dropped
    QStringList others;  // everything else
};
DroppedPaths splitNoteFiles(const QStringList& paths);

// Opens the note files once the drop is over, so that the program the drag
// came from is not kept waiting while a note loads or a message is shown.
void openDroppedNotes(Application& app, const QStringList& notes);

// The window itself as a drop target for note files: what its panes do not
// take. A read-only window takes none, as its lists take no drops.
class NoteFileDropTarget : public QObject {
    Q_OBJECT
public:
    NoteFileDropTarget(Application& app, QWidget& window);

    // The note files among the local files `data` carries.
    static QStringList noteFilesIn(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Application& m_app;
    QWidget& m_window;
};
