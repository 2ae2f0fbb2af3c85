#include "app/edit/item_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <QUuid>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/common/body_preview.h"
#include "app/common/byte_limit.h"
#include "app/common/qt_text.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/edit/edit_prompts.h"
#include "app/edit/item_removal.h"
#include "app/edit/items_content.h"
#include "core/common/error_code.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/model/subtree_walk.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kUnstorableLeftOut = 12019;
constexpr std::uint32_t kAppendedAtTheEnd = 14005;
constexpr std::uint32_t kNoGroupSelected = 20001;
constexpr std::uint32_t kLockedInsideLocked = 20077;
constexpr std::uint32_t kGroupLockedAgainstAdding = 20082;
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
      m_pending(note) {
    connect(clipboard(), &QClipboard::dataChanged, this, &ItemClipboard::clipboardChanged);
}

ItemClipboard::~ItemClipboard() {
    if (m_data && !m_data->isRendered())
        m_data->settle(m_kind == Kind::kNone ? std::nullopt : makeContent());
}

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

ItemId ItemClipboard::focusedItem() const {
    return m_selection.groupListIsFocusWindow() ? m_selection.groupListFocused()
                                                : m_selection.memoListFocused();
}

std::optional<ItemClipboard::Place> ItemClipboard::pastePlace(int relation, int order) const {
    const ItemId reference = focusedItem();
    if (reference != m_note.RootId() && m_note.FindItem(reference))
        return Place{reference, relation, order};
    if (relation == Placement::kInside || order == Placement::kBefore)
        return std::nullopt;
    // No focused row: the end of the group an empty group list shows, or
    // of the root.
    ItemId parent = m_note.RootId();
    if (m_selection.groupListIsFocusWindow()) {
        const Item* shown = m_note.FindItem(m_selection.memoListFocused());
        if (shown && shown->IsGroup())
            parent = shown->links.id;
    }
    if (!m_note.FindItem(parent))
        return std::nullopt;
    return Place{parent, Placement::kInside, Placement::kAfter};
}

bool ItemClipboard::ownsClipboard() const {
    return m_data && clipboard()->mimeData() == m_data.data();
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
    const std::optional<Place> place = pastePlace(relation, order);
    if (!place)
        return false;
    return place->relation != Placement::kInside || m_note.FindItem(place->target)->IsGroup();
}

bool ItemClipboard::isCut(ItemId item) const {
    return m_kind == Kind::kCut && m_pending.contains(item);
}

bool ItemClipboard::hidesClipboardText() const {
    if (m_kind != Kind::kCut || !ownsClipboard())
        return false;
    const std::optional<Place> place = pastePlace(Placement::kBeside, Placement::kAfter);
    return place && m_pending.contains(place->target);
}

void ItemClipboard::cut() {
    take(Kind::kCut);
}

void ItemClipboard::copy() {
    take(Kind::kCopy);
}

void ItemClipboard::take(Kind kind) {
    if (kind == Kind::kCut && readOnly())
        return;
    const std::vector<ItemId> selected = m_selection.selectedItems();
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
    m_kind = kind;
    m_cutMark = kind == Kind::kCut ? QUuid::createUuid().toByteArray(QUuid::WithoutBraces)
                                   : QByteArray();
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

void ItemClipboard::dropPending() {
    const bool wasCut = m_kind == Kind::kCut;
    m_kind = Kind::kNone;
    m_pending.clear();
    m_cutMark.clear();
    m_cutRendered.reset();
    if (wasCut)
        emit cutChanged();
}

void ItemClipboard::cancelCut() {
    if (m_kind != Kind::kCut)
        return;
    const bool ours = ownsClipboard();
    dropPending();
    if (ours) {
        m_data->settle(std::nullopt);
        clipboard()->clear();
    }
}

void ItemClipboard::clipboardChanged() {
    if (m_kind == Kind::kNone || ownsClipboard())
        return;
    // Another window pasted this cut: the move ends here, provided the items
    // are still what it read. Otherwise another program took the clipboard
    // and the cut items stay where they are.
    const QMimeData* data = clipboard()->mimeData();
    const QString pastedType = QString::fromLatin1(kPastedCutMimeType);
    if (m_kind == Kind::kCut && m_cutRendered && data && data->hasFormat(pastedType) &&
        data->data(pastedType) == m_cutMark && !readOnly()) {
        if (const std::optional<ItemMimeData::Content> now = makeContent();
            now && now->items == *m_cutRendered) {
            finishMove(*now);
            return;
        }
    }
    dropPending();
}

void ItemClipboard::finishMove(const ItemMimeData::Content& moved) {
    const std::vector<ItemId> tops = m_pending.tops();
    if (ownsClipboard())
        m_data->replace(moved);
    dropPending();
    removeItems(m_note, m_views, tops);
    markModified();
}

void ItemClipboard::handOnPastedCut(const QByteArray& items, const QString& text,
                                    const QByteArray& mark) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kItemsMimeType), items);
    if (!text.isEmpty())
        data->setText(text);
    data->setData(QString::fromLatin1(kPastedCutMimeType), mark);
    clipboard()->setMimeData(data);
}

std::optional<ItemMimeData::Content> ItemClipboard::makeContent() {
    return itemsContent(m_note, m_settings, m_pending);
}

std::optional<ItemMimeData::Content> ItemClipboard::render() {
    if (m_kind == Kind::kNone)
        return std::nullopt;
    // The open memo's latest text goes along when it is one of the items.
    if (m_pending.contains(m_views.openMemo()))
        m_views.commitEdits();
    std::optional<ItemMimeData::Content> content = makeContent();
    if (content && m_kind == Kind::kCut) {
        m_cutRendered = content->items;
    } else {
        // A copy needs its items no longer; a cut whose items cannot be
        // written out (gone meanwhile) ends with nothing moved.
        dropPending();
    }
    return content;
}

void ItemClipboard::paste(int relation, int order) {
    if (readOnly())
        return;
    m_views.commitEdits();
    const QMimeData* data = clipboard()->mimeData();
    const QString itemsType = QString::fromLatin1(kItemsMimeType);
    const bool items = data && data->hasFormat(itemsType);
    if (!items && !(data && data->hasText()))
        return;
    const std::optional<Place> place = pastePlace(relation, order);
    if (!place)
        return;
    // Pasting cut items onto themselves (or below them) does nothing.
    if (m_kind == Kind::kCut && m_pending.contains(place->target))
        return;
    if (place->relation == Placement::kInside && !m_note.FindItem(place->target)->IsGroup()) {
        m_prompts.showError(kNoGroupSelected, QString());
        return;
    }
    if (items) {
        // This object's own cut is pasted from its items as they are now
        // (the clipboard's copy may have been made before later edits) and
        // then moves. Another window's cut is only copied here; that window
        // deletes its items once the clipboard says where they went.
        std::optional<ItemMimeData::Content> ownCut;
        if (m_kind == Kind::kCut && ownsClipboard())
            ownCut = makeContent();
        QByteArray foreignCut;
        QString text;
        if (!ownsClipboard() && data->hasFormat(QString::fromLatin1(kCutMarkMimeType))) {
            foreignCut = data->data(QString::fromLatin1(kCutMarkMimeType));
            text = data->text();
        }
        const QByteArray block = ownCut ? ownCut->items : data->data(itemsType);
        if (block.isEmpty()) {
            reportFailure(kItemDataUnreadable);
            return;
        }
        if (!pasteItems(block, *place, true))
            return;
        // A message shown while pasting may have let the clipboard change.
        if (ownCut && m_kind == Kind::kCut && ownsClipboard() && m_pending.intact()) {
            finishMove(*ownCut);
        } else if (!foreignCut.isEmpty()) {
            handOnPastedCut(block, text, foreignCut);
        }
    } else {
        pasteText(data->text(), *place);
    }
}

ItemId ItemClipboard::lockOwnerAt(const Place& place) const {
    const Item* target = m_note.FindItem(place.target);
    if (!target)
        return kNoItem;
    if (place.relation == Placement::kInside && target->IsLockedGroup())
        return place.target;
    return target->LockOwner();
}

std::optional<std::pair<std::uint32_t, ItemId>> ItemClipboard::lockRefusal(const Place& place,
                                                                           ItemId run) const {
    const Item* target = m_note.FindItem(place.target);
    if (!target)
        return std::nullopt;
    if (m_note.IsLockedOut(place.target, place.relation)) {
        ItemId named = target->LockOwner();
        if (place.relation == Placement::kInside && target->IsLockedGroup())
            named = place.target;
        if (named == kNoItem)
            named = place.target;
        return std::make_pair(kGroupLockedAgainstAdding, named);
    }
    const ItemId owner = lockOwnerAt(place);
    if (run != kNoItem && owner != kNoItem && m_note.ContainsLockedGroup(run))
        return std::make_pair(kLockedInsideLocked, owner);
    return std::nullopt;
}

void ItemClipboard::openTarget(const Place& place) {
    Item* target = m_note.FindItem(place.target);
    if (place.relation == Placement::kInside && target && !target->IsOpen()) {
        target->SetOpen(true);
        m_views.itemChanged(place.target);
    }
}

bool ItemClipboard::drop(const QMimeData* data, ItemId target, int relation, int order) {
    if (readOnly() || !data)
        return false;
    m_views.commitEdits();
    Place place{target, relation, order};
    if (target == kNoItem)
        place = Place{m_note.RootId(), Placement::kInside, Placement::kAfter};
    if (!m_note.FindItem(place.target))
        return false;
    const QString itemsType = QString::fromLatin1(kItemsMimeType);
    if (data->hasFormat(itemsType)) {
        const QByteArray block = data->data(itemsType);
        if (block.isEmpty()) {
            reportFailure(kItemDataUnreadable);
            return false;
        }
        return pasteItems(block, place, false);
    }
    // A link from a browser: its name, when offered, on the line after it.
    const QString mozUrl = QStringLiteral("text/x-moz-url");
    if (data->hasFormat(mozUrl)) {
        const QByteArray raw = data->data(mozUrl);
        const QString both =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), raw.size() / 2);
        const QStringList lines = both.split(u'\n');
        if (!lines.value(0).trimmed().isEmpty())
            return pasteLink(lines.value(0).trimmed(), lines.value(1).trimmed(), place);
    }
    const QList<QUrl> urls = data->urls();
    QStringList files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    if (!urls.isEmpty() && files.size() == urls.size()) {
        // The import judges the place's lock itself.
        return m_importFiles && m_importFiles(files, place.target, place.relation, place.order);
    }
    if (urls.size() == 1 && !data->hasText())
        return pasteLink(urls.first().toString(), QString(), place);
    if (data->hasText())
        return pasteText(data->text(), place);
    return false;
}

bool ItemClipboard::pasteLink(const QString& url, const QString& title, const Place& place) {
    if (const auto refusal = lockRefusal(place, kNoItem)) {
        m_prompts.showError(refusal->first, titleOf(m_note, refusal->second));
        return false;
    }
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
    m_note.InsertItems(id, place.target, place.relation, place.order, true);
    m_note.InheritLockOwner(id, place.target, place.relation);
    m_views.itemInserted(id);
    m_views.beginEditingNew(id, false);
    markModified();
    return true;
}

bool ItemClipboard::pasteItems(const QByteArray& block, Place place, bool fallBack) {
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

    // A place refused by a lock (or gone while the data was made) sends
    // the run to the end of the note.
    bool elsewhere = m_note.FindItem(place.target) == nullptr;
    if (const auto refusal = lockRefusal(place, first)) {
        m_prompts.showError(refusal->first, titleOf(m_note, refusal->second));
        elsewhere = true;
    }
    if (elsewhere && !fallBack) {
        m_note.DeleteItems(first, 0);
        return false;
    }
    if (elsewhere) {
        m_prompts.showInformation(kAppendedAtTheEnd, QString());
        place = Place{m_note.RootId(), Placement::kInside, Placement::kAfter};
        if (!m_note.FindItem(place.target) || lockRefusal(place, first)) {
            m_note.DeleteItems(first, 0);
            return false;
        }
    }

    std::vector<ItemId> tops;
    WalkSubtree(m_note, first, SubtreeWalk::Span::kRun, [&](const Item& item, const SubtreeWalk&) {
        tops.push_back(item.links.id);
        return WalkStep::kSkipChildren;
    });
    openTarget(place);
    m_note.InsertItems(first, place.target, place.relation, place.order, true);
    // The run takes the lock owner of its place, all the way down.
    if (const ItemId owner = lockOwnerAt(place); owner != kNoItem) {
        for (ItemId top : tops) {
            m_note.InheritLockOwner(top, place.target, place.relation);
            m_note.SetLockOwner(owner, top, true);
        }
    }
    for (ItemId top : tops)
        m_views.itemInserted(top);
    emit revealRequested(tops.back(), false);
    markModified();
    return true;
}

bool ItemClipboard::pasteText(const QString& text, const Place& place) {
    if (const auto refusal = lockRefusal(place, kNoItem)) {
        m_prompts.showError(refusal->first, titleOf(m_note, refusal->second));
        return false;
    }
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
    m_note.InsertItems(id, place.target, place.relation, place.order, true);
    m_note.InheritLockOwner(id, place.target, place.relation);
    m_views.itemInserted(id);
    if (m_settings.TitleFromFirstLine != 0) {
        emit revealRequested(id, true);
    } else {
        m_views.beginEditingNew(id, false);
    }
    markModified();
    return true;
}
