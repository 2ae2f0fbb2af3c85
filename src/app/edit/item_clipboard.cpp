#include "app/edit/item_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/common/body_preview.h"
#include "app/common/byte_limit.h"
#include "app/common/qt_text.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/edit/dropped_data.h"
#include "app/edit/edit_prompts.h"
#include "core/common/error_code.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kUnstorableLeftOut = 12019;
constexpr std::uint32_t kNoGroupSelected = 20001;
constexpr std::uint32_t kTextTooLong = 20087;

// Our codes for the note's internal-error report.
constexpr std::uint32_t kItemDataUnreadable = 6201;
constexpr std::uint32_t kItemDataDamaged = 6202;
constexpr std::uint32_t kNoFreeItemId = 6203;

// The longest body a pasted text may give: a note stores lengths as
// signed 32-bit sizes.
constexpr std::size_t kMaxBodyBytes = 0x7FFFFFFF;

QClipboard* clipboard() {
    return QGuiApplication::clipboard();
}

QString titleOf(const Note& note, ItemId id) {
    const Item* item = note.FindItem(id);
    return item ? toQString(item->Title()) : QString();
}

}  // namespace

ItemClipboard::ItemClipboard(Note& note, const Settings& settings, SelectionSource& selection,
                             ItemViewUpdater& views, EditPrompts& prompts, QObject* parent)
    : QObject(parent),
      m_note(note),
      m_settings(settings),
      m_selection(selection),
      m_views(views),
      m_prompts(prompts),
      m_placement(note),
      m_protocol(note, settings, views) {
    connect(&m_protocol, &ClipboardProtocol::cutChanged, this, &ItemClipboard::cutChanged);
}

ItemClipboard::~ItemClipboard() = default;

bool ItemClipboard::readOnly() const {
    return m_note.Host() != nullptr && m_note.Host()->IsReadOnly();
}

void ItemClipboard::markModified() {
    if (m_note.Host())
        m_note.Host()->SetModified(true, true);
}

void ItemClipboard::reportFailure(std::uint32_t code) {
    if (m_note.Host())
        m_note.Host()->ReportOutOfMemory(code);
}

std::optional<ItemPlace> ItemClipboard::pastePlace(int relation, int order) const {
    const bool groupList = m_selection.groupListIsFocusWindow();
    const ItemId focused =
        groupList ? m_selection.groupListFocused() : m_selection.memoListFocused();
    // An empty group list shows the group focused in the memo list.
    const ItemId shownGroup = groupList ? m_selection.memoListFocused() : kNoItem;
    return m_placement.pastePlace(focused, shownGroup, relation, order);
}

bool ItemClipboard::canCut() const {
    return !readOnly() && canCopy();
}

bool ItemClipboard::canCopy() const {
    return !m_selection.selectedItems().empty();
}

bool ItemClipboard::canPaste(int relation, int order) const {
    if (readOnly())
        return false;
    const QMimeData* data = clipboard()->mimeData();
    if (!data || !(data->hasFormat(QString::fromLatin1(kItemsMimeType)) || data->hasText()))
        return false;
    if (hidesClipboardText())
        return false;
    const std::optional<ItemPlace> place = pastePlace(relation, order);
    if (!place)
        return false;
    return place->relation != Placement::kInside || m_note.FindItem(place->target)->IsGroup();
}

bool ItemClipboard::isCut(ItemId item) const {
    return m_protocol.isCut(item);
}

bool ItemClipboard::hidesClipboardText() const {
    if (!m_protocol.ownsClipboard())
        return false;
    const std::optional<ItemPlace> place = pastePlace(Placement::kBeside, Placement::kAfter);
    return place && m_protocol.isCut(place->target);
}

void ItemClipboard::cut() {
    m_protocol.take(ClipboardProtocol::Kind::kCut, m_selection.selectedItems());
}

void ItemClipboard::copy() {
    m_protocol.take(ClipboardProtocol::Kind::kCopy, m_selection.selectedItems());
}

void ItemClipboard::cancelCut() {
    m_protocol.cancelCut();
}

void ItemClipboard::paste(int relation, int order) {
    if (readOnly())
        return;
    m_views.commitEdits();
    const QMimeData* data = clipboard()->mimeData();
    const bool items = data && data->hasFormat(QString::fromLatin1(kItemsMimeType));
    if (!items && !(data && data->hasText()))
        return;
    const std::optional<ItemPlace> place = pastePlace(relation, order);
    if (!place)
        return;
    // Pasting cut items onto themselves (or below them) does nothing.
    if (m_protocol.isCut(place->target))
        return;
    if (place->relation == Placement::kInside && !m_note.FindItem(place->target)->IsGroup()) {
        m_prompts.showError(kNoGroupSelected, QString());
        return;
    }
    m_placingFor =
        m_selection.groupListIsFocusWindow() ? ListKind::kGroupList : ListKind::kMemoList;
    if (!items) {
        pasteText(data->text(), *place);
        return;
    }
    const ClipboardProtocol::ItemsPaste source = m_protocol.itemsToPaste(*data);
    if (source.block.isEmpty()) {
        reportFailure(kItemDataUnreadable);
        return;
    }
    if (pasteItems(source.block, *place, ItemPlacement::WhenRefused::kToEndOfNote))
        m_protocol.itemsPasted(source);
}

bool ItemClipboard::drop(const QMimeData* data, ItemId target, int relation, int order,
                         ListKind list) {
    if (readOnly() || !data)
        return false;
    m_placingFor = list;
    m_views.commitEdits();
    const ItemPlace place = m_placement.dropPlace(target, relation, order);
    if (!m_note.FindItem(place.target))
        return false;
    const DroppedData dropped = readDroppedData(*data);
    switch (dropped.format) {
        case DroppedData::Format::kItems:
            if (dropped.items.isEmpty()) {
                reportFailure(kItemDataUnreadable);
                return false;
            }
            return pasteItems(dropped.items, place, ItemPlacement::WhenRefused::kNowhere);
        case DroppedData::Format::kLink:
            return pasteLink(dropped.url, dropped.title, place);
        case DroppedData::Format::kFiles:
            // The import judges the place's lock itself.
            return m_importFiles &&
                   m_importFiles(dropped.files, place.target, place.relation, place.order);
        case DroppedData::Format::kText:
            return pasteText(dropped.text, place);
        case DroppedData::Format::kNone:
            break;
    }
    return false;
}

void ItemClipboard::openTarget(const ItemPlace& place) {
    Item* target = m_note.FindItem(place.target);
    if (place.relation == Placement::kInside && target && !target->IsOpen()) {
        target->SetOpen(true);
        m_views.itemChanged(place.target);
    }
}

bool ItemClipboard::refusedForMemo(const ItemPlace& place) {
    const std::optional<LockRefusal> refusal = m_placement.refusal(place, kNoItem);
    if (refusal)
        m_prompts.showError(refusal->message, titleOf(m_note, refusal->named));
    return refusal.has_value();
}

bool ItemClipboard::pasteItems(const QByteArray& block, const ItemPlace& place,
                               ItemPlacement::WhenRefused whenRefused) {
    ItemId first = kNoItem;
    try {
        first = m_note.DeserializeItems(MemoryBlock(block.cbegin(), block.cend()));
    } catch (const IoError&) {
        reportFailure(kItemDataDamaged);
        return false;
    } catch (const std::bad_alloc&) {
        reportFailure(kItemDataDamaged);
        return false;
    }
    if (first == kNoItem)
        return false;  // an empty run

    const RunPlacement placed = m_placement.placeRun(first, place, whenRefused);
    if (placed.refusal)
        m_prompts.showError(placed.refusal->message, titleOf(m_note, placed.refusal->named));
    if (placed.toEndOfNote)
        m_prompts.showInformation(ItemPlacement::kAppendedAtTheEnd, QString());
    if (!placed.place) {
        m_note.DeleteItems(first, 0);
        return false;
    }
    openTarget(*placed.place);
    const std::vector<ItemId> tops = m_placement.insertRun(first, *placed.place);
    for (ItemId top : tops)
        m_views.itemInserted(top);
    emit revealRequested(m_placingFor, tops, false);
    markModified();
    return true;
}

bool ItemClipboard::pasteLink(const QString& url, const QString& title, const ItemPlace& place) {
    if (refusedForMemo(place))
        return false;
    const ItemId id = m_note.CreateItem(ItemType::kMemo);
    if (id == kNoItem) {
        reportFailure(kNoFreeItemId);
        return false;
    }
    auto* memo = static_cast<Memo*>(m_note.FindItem(id));
    memo->SetRawTitle(
        fromQString(cutToBytes(title.isEmpty() ? url : title, static_cast<int>(kMaxTitleBytes))));
    if (m_settings.LinkPlace == 1) {
        memo->SetRawRemarks(fromQString(url));
        memo->SetRawFlags(memo->Flags() | ItemFlags::kHasRemarks | ItemFlags::kRemarksLink);
    } else {
        memo->SetRawBody(fromQString(url));
        memo->SetRawFlags(memo->Flags() | ItemFlags::kBodyLink);
    }
    openTarget(place);
    m_placement.insertMemo(id, place);
    m_views.itemInserted(id);
    emit revealRequested(m_placingFor, {id}, true);
    markModified();
    return true;
}

bool ItemClipboard::pasteText(const QString& text, const ItemPlace& place) {
    if (refusedForMemo(place))
        return false;
    ByteString body;
    QString lost;
    try {
        body = fromQString(withCrLf(text), &lost);
    } catch (const std::bad_alloc&) {
        m_prompts.showError(kTextTooLong, QString());
        return false;
    }
    if (body.Size() > kMaxBodyBytes) {
        m_prompts.showError(kTextTooLong, QString());
        return false;
    }
    if (!lost.isEmpty())
        m_prompts.showInformation(kUnstorableLeftOut, lost);

    if (m_views.openMemo() != kNoItem)
        m_views.closeOpenMemo();
    const ItemId id = m_note.CreateItem(ItemType::kMemo);
    if (id == kNoItem) {
        reportFailure(kNoFreeItemId);
        return false;
    }
    auto* memo = static_cast<Memo*>(m_note.FindItem(id));
    const std::string_view bytes = body.View();
    memo->SetRawTitle(ByteString(bodyPreview(bytes.substr(0, bytes.find_first_of("\r\n")))));
    memo->SetRawBody(std::move(body));

    openTarget(place);
    m_placement.insertMemo(id, place);
    m_views.itemInserted(id);
    emit revealRequested(m_placingFor, {id}, m_settings.TitleFromFirstLine == 0);
    markModified();
    return true;
}
