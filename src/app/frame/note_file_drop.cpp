#include "app/frame/note_file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"

DroppedPaths splitNoteFiles(const QStringList& paths) {
    const QString extension = uiText(UiStringId::kNoteExtension);
    DroppedPaths split;
    for (const QString& path : paths) {
        if (path.endsWith(extension, Qt::CaseInsensitive))
            split.notes << path;
        else
            split.others << path;
    }
    return split;
}

void openDroppedNotes(Application& app, const QStringList& notes) {
    if (notes.isEmpty())
        return;
    QTimer::singleShot(0, &app, [&app, notes] {
        for (const QString& path : notes)
            app.fileCommands().openNoteByPath(path, false);
        app.updateActions();
    });
}

NoteFileDropTarget::NoteFileDropTarget(Application& app, QWidget& window)
    : QObject(&window), m_app(app), m_window(window) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

QStringList NoteFileDropTarget::noteFilesIn(const QMimeData* data) {
    if (!data)
        return {};
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return splitNoteFiles(files).notes;
}

bool NoteFileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window)
        return false;
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* over = static_cast<QDragMoveEvent*>(event);
            if (!m_app.IsReadOnly() && !noteFilesIn(over->mimeData()).isEmpty()) {
                over->setDropAction(Qt::CopyAction);
                over->accept();
            } else {
                over->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList notes = noteFilesIn(drop->mimeData());
            if (m_app.IsReadOnly() || notes.isEmpty()) {
                drop->ignore();
                return true;
            }
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            openDroppedNotes(m_app, notes);
            return true;
        }
        default:
            return false;
    }
}
