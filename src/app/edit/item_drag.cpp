#include "app/edit/item_drag.h"

#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>

#include "app/common/byte_limit.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/edit/item_removal.h"
#include "app/edit/items_content.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kTextFileSuffix = 10008;  // ".txt"
// The longest file name the file systems take, in bytes of their encoding.
constexpr qsizetype kMaxFileNameBytes = 255;
// The note's internal-error report when no item id is left for the
// references of the drag (as for a cut or copy).
constexpr std::uint32_t kNoFreeItemId = 6203;

}  // namespace

ItemDrag::ItemDrag(Note& note, const Settings& settings, SelectionSource& selection,
                   ItemViewUpdater& views, QObject* parent)
    : QObject(parent),
      m_note(note),
      m_settings(settings),
      m_selection(selection),
      m_views(views),
      m_pending(note) {}

ItemDrag::~ItemDrag() = default;

QString ItemDrag::fileNameFor(const QString& title) {
    QString name = title;
    for (QChar& c : name) {
        if (QStringLiteral("\\/:,;*?\"<>|").contains(c))
            c = u'_';
    }
    const QString suffix = uiText(kTextFileSuffix);
    const qsizetype room = kMaxFileNameBytes - QFile::encodeName(suffix).size();
    qsizetype kept = 0;
    qsizetype bytes = 0;
    while (kept < name.size()) {
        const bool pair = name[kept].isHighSurrogate() && kept + 1 < name.size() &&
                          name[kept + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const qsizetype size = QFile::encodeName(name.mid(kept, length)).size();
        if (bytes + size > room)
            break;
        bytes += size;
        kept += length;
    }
    name.truncate(kept);
    return name + suffix;
}

bool ItemDrag::isDragged(ItemId item) const {
    return m_running && m_pending.contains(item);
}

void ItemDrag::run(QWidget* source, bool copyOnly) {
    if (m_running)
        return;
    m_fileFolder.reset();
    m_file.clear();
    m_views.commitEdits();
    const PendingItems::TakeResult taken = m_pending.take(m_selection.selectedItems());
    if (taken == PendingItems::TakeResult::kNoFreeId && m_note.Host())
        m_note.Host()->ReportOutOfMemory(kNoFreeItemId);
    if (taken != PendingItems::TakeResult::kTaken)
        return;
    const std::optional<ItemMimeData::Content> content =
        itemsContent(m_note, m_settings, m_pending);
    if (!content) {
        m_pending.clear();
        return;
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kItemsMimeType), content->items);
    data->setText(content->text);
    auto folder = std::make_unique<QTemporaryDir>();
    const Item* first = m_note.FindItem(m_pending.tops().front());
    if (folder->isValid() && first) {
        const QString path = folder->filePath(fileNameFor(toQString(first->Title())));
        QFile file(path);
        // The export byte for byte, as a text export to a file writes it.
        const QByteArray& bytes = content->exported;
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
            file.flush()) {
            file.close();
            data->setUrls({QUrl::fromLocalFile(path)});
            m_fileFolder = std::move(folder);
            m_file = path;
        }
    }

    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    m_running = true;
    m_takenHere = false;
    const Qt::DropActions allowed =
        copyOnly ? Qt::DropActions(Qt::CopyAction) : Qt::CopyAction | Qt::MoveAction;
    const Qt::DropAction preferred = copyOnly ? Qt::CopyAction : Qt::MoveAction;
    const Qt::DropAction effect =
        m_runner ? m_runner(*drag, allowed, preferred) : drag->exec(allowed, preferred);
    if (m_runner)
        drag->deleteLater();  // exec leaves that to Qt
    m_running = false;
    const std::vector<ItemId> tops = m_pending.tops();
    const bool intact = m_pending.intact();
    m_pending.clear();
    NoteHost* host = m_note.Host();
    const bool writable = !host || !host->IsReadOnly();
    if (effect == Qt::MoveAction && m_takenHere && intact && writable) {
        removeItems(m_note, m_views, tops);
        if (host)
            host->SetModified(true, true);
    }
}
