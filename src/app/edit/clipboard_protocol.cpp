#include "app/edit/clipboard_protocol.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUuid>

#include "app/context/item_view_updater.h"
#include "app/edit/item_removal.h"
#include "app/edit/items_content.h"
#include "core/model/note.h"
#include "core/model/note_host.h"

using namespace tidemark;

namespace {

// Our code for the note's internal-error report.
constexpr std::uint32_t kNoFreeItemId = 6203;

QClipboard* clipboard() {
    return QGuiApplication::clipboard();
}

}  // namespace

ClipboardProtocol::ClipboardProtocol(Note& note, const Settings& settings, ItemViewUpdater& views,
                                     QObject* parent)
    : QObject(parent), m_note(note), m_settings(settings), m_views(views), m_pending(note) {
    connect(clipboard(), &QClipboard::dataChanged, this, &ClipboardProtocol::clipboardChanged);
}

ClipboardProtocol::~ClipboardProtocol() {
    if (m_data && !m_data->isRendered())
        m_data->settle(m_holding == Holding::kNone ? std::nullopt : makeContent());
}

bool ClipboardProtocol::readOnly() const {
    return m_note.Host() != nullptr && m_note.Host()->IsReadOnly();
}

void ClipboardProtocol::markModified() {
    if (m_note.Host())
        m_note.Host()->SetModified(true, true);
}

void ClipboardProtocol::reportFailure(std::uint32_t code) {
    if (m_note.Host())
        m_note.Host()->ReportOutOfMemory(code);
}

bool ClipboardProtocol::ownsClipboard() const {
    return m_data && clipboard()->mimeData() == m_data.data();
}

bool ClipboardProtocol::isCut(ItemId item) const {
    return m_holding == Holding::kCut && m_pending.contains(item);
}

void ClipboardProtocol::take(Kind kind, const std::vector<ItemId>& selected) {
    if (kind == Kind::kCut && readOnly())
        return;
    if (selected.empty())
        return;
    m_views.commitEdits();
    // Whatever was announced before is void now.
    if (m_data)
        m_data->settle(std::nullopt);
    dropPending();
    const PendingItems::TakeResult taken = m_pending.take(selected);
    if (taken != PendingItems::TakeResult::kTaken) {
        if (ownsClipboard())
            clipboard()->clear();
        if (taken == PendingItems::TakeResult::kNoFreeId)
            reportFailure(kNoFreeItemId);
        return;
    }
    m_holding = kind == Kind::kCut ? Holding::kCut : Holding::kCopy;
    m_cutMark =
        kind == Kind::kCut ? QUuid::createUuid().toByteArray(QUuid::WithoutBraces) : QByteArray();
    m_data = new ItemMimeData([this] { return render(); }, m_cutMark);
    clipboard()->setMimeData(m_data.data());
    if (!ownsClipboard()) {
        // The platform did not take the data.
        dropPending();
        return;
    }
    if (kind == Kind::kCut)
        emit cutChanged();
}

void ClipboardProtocol::dropPending() {
    const bool wasCut = m_holding == Holding::kCut;
    m_holding = Holding::kNone;
    m_pending.clear();
    m_cutMark.clear();
    m_cutRendered.reset();
    if (wasCut)
        emit cutChanged();
}

void ClipboardProtocol::cancelCut() {
    if (m_holding != Holding::kCut)
        return;
    const bool ours = ownsClipboard();
    dropPending();
    if (ours) {
        m_data->settle(std::nullopt);
        clipboard()->clear();
    }
}

void ClipboardProtocol::clipboardChanged() {
    if (m_holding == Holding::kNone || ownsClipboard())
        return;
    // Another window pasted this cut: the move ends here, provided the items
    // are still what it read. Otherwise another program took the clipboard
    // and the cut items stay where they are.
    const QMimeData* data = clipboard()->mimeData();
    const QString pastedType = QString::fromLatin1(kPastedCutMimeType);
    if (m_holding == Holding::kCut && m_cutRendered && data && data->hasFormat(pastedType) &&
        data->data(pastedType) == m_cutMark && !readOnly()) {
        if (const std::optional<ItemMimeData::Content> now = makeContent();
            now && now->items == *m_cutRendered) {
            finishMove(*now);
            return;
        }
    }
    dropPending();
}

void ClipboardProtocol::finishMove(const ItemMimeData::Content& moved) {
    const std::vector<ItemId> tops = m_pending.tops();
    if (ownsClipboard())
        m_data->replace(moved);
    dropPending();
    removeItems(m_note, m_views, tops);
    markModified();
}

void ClipboardProtocol::handOnPastedCut(const QByteArray& items, const QString& text,
                                        const QByteArray& mark) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kItemsMimeType), items);
    if (!text.isEmpty())
        data->setText(text);
    data->setData(QString::fromLatin1(kPastedCutMimeType), mark);
    clipboard()->setMimeData(data);
}

std::optional<ItemMimeData::Content> ClipboardProtocol::makeContent() {
    return itemsContent(m_note, m_settings, m_pending);
}

std::optional<ItemMimeData::Content> ClipboardProtocol::render() {
    if (m_holding == Holding::kNone)
        return std::nullopt;
    // The open memo's latest text goes along when it is one of the items.
    if (m_pending.contains(m_views.openMemo()))
        m_views.commitEdits();
    std::optional<ItemMimeData::Content> content = makeContent();
    if (content && m_holding == Holding::kCut) {
        m_cutRendered = content->items;
    } else {
        // A copy needs its items no longer; a cut whose items cannot be
        // written out (gone meanwhile) ends with nothing moved.
        dropPending();
    }
    return content;
}

ClipboardProtocol::ItemsPaste ClipboardProtocol::itemsToPaste(const QMimeData& data) {
    ItemsPaste paste;
    if (m_holding == Holding::kCut && ownsClipboard())
        paste.ownCut = makeContent();
    if (!ownsClipboard() && data.hasFormat(QString::fromLatin1(kCutMarkMimeType))) {
        paste.foreignMark = data.data(QString::fromLatin1(kCutMarkMimeType));
        paste.foreignText = data.text();
    }
    paste.block =
        paste.ownCut ? paste.ownCut->items : data.data(QString::fromLatin1(kItemsMimeType));
    return paste;
}

void ClipboardProtocol::itemsPasted(const ItemsPaste& paste) {
    // A message shown while pasting may have let the clipboard change.
    if (paste.ownCut && m_holding == Holding::kCut && ownsClipboard() && m_pending.intact()) {
        finishMove(*paste.ownCut);
    } else if (!paste.foreignMark.isEmpty()) {
        handOnPastedCut(paste.block, paste.foreignText, paste.foreignMark);
    }
}
