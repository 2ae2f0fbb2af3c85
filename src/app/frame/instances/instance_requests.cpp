#include "app/frame/instances/instance_requests.h"

#include <QStatusBar>
#include <QTimer>

#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/file_commands.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/pane_area.h"
#include "app/frame/resident/default_note_commands.h"
#include "app/list/memo_list.h"
#include "app/list/memo_rows_model.h"
#include "app/text/memo_text_view.h"
#include "core/common/path_compare.h"
#include "platform/instance_bus/instance_log.h"

namespace {

// "FAMILY 12px", or in points for a font sized in points.
QString describeFont(const QFont& font) {
    if (font.pixelSize() > 0)
        return QStringLiteral("%1 %2px").arg(font.family()).arg(font.pixelSize());
    return QStringLiteral("%1 %2pt").arg(font.family()).arg(font.pointSizeF());
}

}  // namespace

void InstanceRequests::addRecentPath(const QString& path) {
    m_app.fileCommands().addRecentNote(path, false);
    QStringList paths;
    const tidemark::RecentNotes& recent = m_app.recentNotes();
    for (std::size_t slot = 0; slot < recent.Count(); ++slot)
        paths << pathFromBytes(recent.Slot(slot).View());
    qCDebug(lcInstanceBus).noquote() << "recent notes:" << paths.join(u'|');
}

bool InstanceRequests::holdsNote(const QString& path, tidemark::ItemId showItem) {
    const QString& own = m_app.notePath();
    if (own.isEmpty() || !tidemark::SamePath(pathToBytes(own), pathToBytes(path)))
        return false;
    if (MainWindow* window = m_app.window())
        window->bringToFront();
    whenIdle([this, path, showItem] {
        if (MainWindow* shown = m_app.window(); shown && showItem != tidemark::kNoItem)
            shown->revealItem(showItem);
        qCDebug(lcInstanceBus).noquote() << "holds" << path << "showing" << showItem;
    });
    return true;
}

void InstanceRequests::reloadSettings(bool apply) {
    whenIdle([this, apply] {
        m_app.reloadSettings(apply);
        if (MainWindow* window = m_app.window(); window && apply) {
            qCDebug(lcInstanceBus).noquote()
                << "settings applied: list font"
                << describeFont(window->panes()->memoList()->font()) << "| text font"
                << describeFont(window->panes()->memoText()->font()) << "| status bar"
                << int(window->statusBar()->isVisibleTo(window)) << "| body column"
                << int(window->panes()->memoList()->rowsModel()->showsBody()) << "| grid lines"
                << int(window->panes()->memoList()->hasGridLines());
        } else {
            qCDebug(lcInstanceBus) << "settings read, apply" << apply;
        }
    });
}

void InstanceRequests::scriptsChanged() {
    m_app.reloadScripts();
    qCDebug(lcInstanceBus) << "registered scripts read:" << m_app.scripts().Count();
}

void InstanceRequests::bringToFront() {
    if (MainWindow* window = m_app.window())
        window->bringToFront();
    qCDebug(lcInstanceBus) << "to the front";
}

void InstanceRequests::close() {
    // The resident process stays: only note windows close.
    whenIdle([this] {
        MainWindow* window = m_app.window();
        if (!window)
            return;
        qCDebug(lcInstanceBus) << "closing";
        // Closed from the event loop, as a posted close would be: the
        // question to save may run its own loop.
        QTimer::singleShot(0, window, [window] { window->close(); });
    });
}

void InstanceRequests::whenIdle(std::function<void()> work) {
    if (m_app.window())
        m_app.windowContext().whenIdle(std::move(work));
    else
        work();
}

bool InstanceRequests::isResident() {
    return m_app.isResident();
}

bool InstanceRequests::defaultNoteChanged() {
    if (!m_app.isResident())
        return false;
    m_app.defaultNote().reload();
    qCDebug(lcInstanceBus).noquote() << "default note:" << m_app.defaultNote().path();
    return true;
}
