#include "app/edit/item_commands.h"

#include <QApplication>
#include <algorithm>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/context/item_view_updater.h"
#include "app/context/selection_source.h"
#include "app/context/window_context.h"
#include "app/edit/item_removal.h"
#include "app/edit/sort_progress_window.h"
#include "core/model/group_lock_commands.h"
#include "core/model/item.h"
#include "core/model/item_attributes.h"
#include "core/model/note.h"
#include "core/model/note_host.h"
#include "core/settings/settings.h"

using namespace tidemark;

namespace {

constexpr std::uint32_t kNewGroupTitle = 10003;
constexpr std::uint32_t kNewMemoTitle = 10004;
constexpr std::uint32_t kStandardRemarksCaption = 11004;
constexpr std::uint32_t kNoGroupSelected = 20001;
constexpr std::uint32_t kGroupLockedAgainstAdding = 20082;

}  // namespace

ItemCommands::ItemCommands(Note& note, const Settings& settings, SelectionSource& selection,
                           ItemViewUpdater& views, EditPrompts& prompts, LockDialogs& lockDialogs,
                           WindowContext* context)
    : m_note(note),
      m_settings(settings),
      m_selection(selection),
      m_views(views),
      m_prompts(prompts),
      m_lockDialogs(lockDialogs),
      m_context(context) {}

bool ItemCommands::readOnly() const {
    return m_note.Host() != nullptr && m_note.Host()->IsReadOnly();
}

void ItemCommands::markModified() {
    if (m_note.Host())
        m_note.Host()->SetModified(true, true);
}

ItemId ItemCommands::focusedItem() const {
    return m_selection.groupListIsFocusWindow() ? m_selection.groupListFocused()
                                                : m_selection.memoListFocused();
}

Item* ItemCommands::firstTarget(bool memosOnly) const {
    for (ItemId id : m_selection.targets()) {
        Item* item = m_note.FindItem(id);
        if (item && (!memosOnly || item->IsMemo()))
            return item;
    }
    return nullptr;
}

bool ItemCommands::editable() const {
    return !readOnly() && !m_selection.targets().empty();
}

void ItemCommands::createItem(ItemType kind, int relation, int order) {
    if (readOnly())
        return;
    m_views.commitEdits();
    if (m_views.openMemo() != kNoItem)
        m_views.closeOpenMemo();

    ItemId reference = m_selection.memoListFocused();
    const Item* focused = m_note.FindItem(reference);
    if (focused && focused->IsGroup() && m_selection.groupListIsFocusWindow()) {
        if (const ItemId inList = m_selection.groupListFocused(); inList != kNoItem) {
            reference = inList;
        } else {
            relation = Placement::kInside;
            order = Placement::kAfter;
        }
    }
    Item* ref = m_note.FindItem(reference);
    if (ref && m_note.IsLockedOut(reference, relation)) {
        const Item* owner = m_note.FindItem(ref->LockOwner());
        if (relation == Placement::kInside && ref->IsLockedGroup())
            owner = ref;
        m_prompts.showError(kGroupLockedAgainstAdding, toQString((owner ? owner : ref)->Title()));
        return;
    }
    if (ref && relation == Placement::kInside && !ref->IsGroup()) {
        m_prompts.showError(kNoGroupSelected, QString());
        return;
    }

    const ItemId id = m_note.CreateItem(kind);
    if (id == kNoItem) {
        if (m_note.Host())
            m_note.Host()->ReportOutOfMemory(0);
        return;
    }
    Item* item = m_note.FindItem(id);
    item->SetRawTitle(
        fromQString(uiText(kind == ItemType::kGroup ? kNewGroupTitle : kNewMemoTitle)));
    if (kind == ItemType::kGroup)
        item->SetOpen(true);

    if (ref) {
        if (relation == Placement::kInside && !ref->IsOpen()) {
            ref->SetOpen(true);
            m_views.itemChanged(reference);
        }
        m_note.InsertItems(id, reference, relation, order, true);
        m_note.InheritLockOwner(id, reference, relation);
    } else {
        m_note.InsertItems(id, m_note.RootId(), Placement::kInside, Placement::kBefore, true);
    }

    ApplyNewItemAttributes(m_note, id, m_settings.NewMemoAttrSource, m_settings.NewMemoSkipAttrs);

    m_views.itemInserted(id);
    const bool bodyFirst = kind == ItemType::kMemo && m_settings.TypeBodyFirst != 0;
    if (bodyFirst)
        static_cast<Memo*>(item)->newMemoMark = 1;
    m_views.beginEditingNew(id, bodyFirst);
    markModified();
}

void ItemCommands::deleteSelection() {
    if (readOnly())
        return;
    m_views.commitEdits();
    std::vector<ItemId> selected = m_selection.selectedItems();
    // A descendant of a selected group goes with that group.
    std::vector<ItemId> tops;
    for (ItemId id : selected) {
        const bool covered = std::any_of(selected.begin(), selected.end(), [&](ItemId other) {
            return other != id && m_note.IsDescendantOf(id, other);
        });
        if (!covered && m_note.FindItem(id) && id != m_note.RootId())
            tops.push_back(id);
    }
    if (tops.empty() || !m_prompts.confirmDelete())
        return;

    removeItems(m_note, m_views, tops);
    markModified();
}

void ItemCommands::sort(int key) {
    if (readOnly())
        return;
    const ItemId focused = m_selection.memoListFocused();
    const Item* item = m_note.FindItem(focused);
    if (!item)
        return;
    m_views.commitEdits();
    ItemId group = item->links.parent;
    if (m_selection.groupListIsFocusWindow() && item->IsGroup())
        group = focused;
    if (!m_note.FindItem(group))
        return;

    EditPrompts::SortChoice choice;
    choice.key = key;
    choice.descending = m_sortDescending;
    const ByteString& caption = m_note.View().remarksCaption;
    const QString captionText =
        caption.Empty() ? uiText(kStandardRemarksCaption) : toQString(caption);
    if (!m_prompts.chooseSort(toQString(m_note.FindItem(group)->Title()), captionText, choice)) {
        return;
    }
    m_sortDescending = choice.descending;
    if (choice.wholeNote) {
        group = m_note.RootId();
        choice.recursive = true;
    }
    // The dialog ran an event loop: another program reading a pending cut
    // may have moved the group away meanwhile.
    if (!m_note.FindItem(group))
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        // The window is busy, not disabled: a disabled window would disable
        // the progress window, its child, and its cancel button with it.
        SortProgressWindow progress(m_context ? m_context->dialogParent() : nullptr);
        progress.BeginGroup(m_note.FindItem(group)->Title());
        if (m_context)
            m_context->setBusy(true);
        m_note.SortChildren(&progress, group, choice.key, choice.descending, choice.recursive);
        if (m_context)
            m_context->setBusy(false);
    }
    m_views.childrenReordered(group);
    QApplication::restoreOverrideCursor();
    markModified();
}

void ItemCommands::toggleColour(bool background) {
    if (readOnly())
        return;
    const std::vector<ItemId> targets = m_selection.targets();
    Item* first = firstTarget(false);
    const bool removing =
        first && (background ? first->HasOwnBackgroundColour() : first->HasOwnTextColour());
    std::optional<Colour> chosen;
    if (!removing) {
        std::optional<Colour> initial;
        if (first)
            initial = background ? first->BackgroundColour() : first->ForegroundColour();
        chosen = m_prompts.chooseColour(initial, m_note.View().customColours);
        if (!chosen)
            return;
    }
    for (ItemId id : targets) {
        Item* item = m_note.FindItem(id);
        if (!item)
            continue;
        if (background) {
            removing ? item->ClearBackgroundColour() : item->SetBackgroundColour(*chosen);
        } else {
            removing ? item->ClearTextColour() : item->SetTextColour(*chosen);
        }
        m_views.itemChanged(id, background);
    }
    if (targets.empty())
        return;
    m_views.memoPaneChanged();
    markModified();
}

void ItemCommands::toggleStrikeOut() {
    if (!editable())
        return;
    const bool on = !firstTarget(false)->IsStruckOut();
    for (ItemId id : m_selection.targets()) {
        if (Item* item = m_note.FindItem(id)) {
            item->SetStrikeOut(on);
            m_views.itemChanged(id);
        }
    }
    markModified();
}

void ItemCommands::toggleWordWrap() {
    if (!editable())
        return;
    const Item* first = firstTarget(true);
    if (!first)
        return;
    const bool on = !static_cast<const Memo*>(first)->WordWrap();
    for (ItemId id : m_selection.targets()) {
        Item* item = m_note.FindItem(id);
        if (item && item->IsMemo()) {
            static_cast<Memo*>(item)->SetWordWrap(on);
            m_views.itemChanged(id);
        }
    }
    m_views.memoPaneChanged();
    markModified();
}

void ItemCommands::toggleLink(bool remarksLink) {
    if (!editable())
        return;
    const Item* first = firstTarget(true);
    if (!first)
        return;
    const bool on = !(remarksLink ? first->IsRemarksLink() : first->IsBodyLink());
    for (ItemId id : m_selection.targets()) {
        Item* item = m_note.FindItem(id);
        if (!item || !item->IsMemo())
            continue;
        // Setting one flag clears the other; clearing clears both.
        if (on) {
            remarksLink ? item->SetRemarksLink(true) : item->SetBodyLink(true);
        } else {
            item->SetBodyLink(false);
            item->SetRemarksLink(false);
        }
        m_views.itemChanged(id);
    }
    m_views.memoPaneChanged();
    markModified();
}

void ItemCommands::editRemarks() {
    if (!editable())
        return;
    const std::optional<QString> text =
        m_prompts.editRemarks(toQString(firstTarget(false)->Remarks()));
    if (!text)
        return;
    const ByteString bytes = fromQString(*text);
    for (ItemId id : m_selection.targets()) {
        if (Item* item = m_note.FindItem(id)) {
            item->SetRemarks(bytes);
            m_views.itemChanged(id);
        }
    }
    m_views.memoPaneChanged();
    markModified();
}

void ItemCommands::copyAttributes() {
    if (readOnly())
        return;
    if (const Item* item = m_note.FindItem(focusedItem()))
        m_remembered = CaptureAttributes(*item);
}

void ItemCommands::applyRememberedAttributes() {
    if (!m_remembered || !editable())
        return;
    for (ItemId id : m_selection.targets()) {
        if (Item* item = m_note.FindItem(id)) {
            ApplyAttributes(*item, *m_remembered, m_settings.NewMemoSkipAttrs);
            m_views.itemChanged(id, true);
        }
    }
    m_views.memoPaneChanged();
    markModified();
}

void ItemCommands::chooseNoteColour(bool background) {
    if (readOnly())
        return;
    NoteViewSettings& view = m_note.View();
    Colour& colour = background ? view.backgroundColour : view.textColour;
    const std::optional<Colour> chosen = m_prompts.chooseColour(colour, view.customColours);
    if (!chosen)
        return;
    colour = *chosen;
    m_views.noteViewChanged();
    markModified();
}

void ItemCommands::editRemarksCaption() {
    if (readOnly())
        return;
    const std::optional<QString> caption =
        m_prompts.editCaption(toQString(m_note.View().remarksCaption));
    if (!caption)
        return;
    m_note.View().remarksCaption = fromQString(*caption);
    m_views.noteViewChanged();
    markModified();
}

void ItemCommands::toggleGroupLock() {
    if (readOnly())
        return;
    const std::vector<ItemId> selected = m_selection.selectedItems();
    if (selected.size() != 1)
        return;
    const ItemId group = selected.front();
    m_views.commitEdits();
    if (ToggleGroupLock(m_note, group, m_lockDialogs) == LockCommandResult::kDone) {
        m_views.itemChanged(group, true);
        m_views.memoPaneChanged();
    }
}

void ItemCommands::registerCommands(CommandActions& actions) {
    const auto writable = [this] { return CommandState{!readOnly()}; };
    const auto focusedGroup = [this] {
        const Item* item = m_note.FindItem(focusedItem());
        return CommandState{!readOnly() && item && item->IsGroup()};
    };
    const auto canCreateBefore = [this] {
        if (readOnly())
            return CommandState{false};
        if (m_selection.groupListIsFocusWindow()) {
            return CommandState{m_selection.groupListFocused() != kNoItem};
        }
        const Item* root = m_note.FindItem(m_note.RootId());
        return CommandState{root && root->links.firstChild != kNoItem};
    };
    const struct {
        CommandId id;
        ItemType kind;
        int relation;
        int order;
    } creates[] = {
        {kCmdNewMemo, ItemType::kMemo, Placement::kBeside, Placement::kAfter},
        {kCmdNewMemoBefore, ItemType::kMemo, Placement::kBeside, Placement::kBefore},
        {kCmdNewMemoInside, ItemType::kMemo, Placement::kInside, Placement::kAfter},
        {kCmdNewGroup, ItemType::kGroup, Placement::kBeside, Placement::kAfter},
        {kCmdNewGroupBefore, ItemType::kGroup, Placement::kBeside, Placement::kBefore},
        {kCmdNewGroupInside, ItemType::kGroup, Placement::kInside, Placement::kAfter},
    };
    for (const auto& c : creates) {
        CommandActions::StateRule rule = writable;
        if (c.order == Placement::kBefore)
            rule = canCreateBefore;
        if (c.relation == Placement::kInside)
            rule = focusedGroup;
        const ItemType kind = c.kind;
        const int relation = c.relation;
        const int order = c.order;
        actions.setHandler(
            c.id, [this, kind, relation, order] { createItem(kind, relation, order); }, rule);
    }

    actions.setHandler(
        kCmdSort, [this] { sort(SortKey::kTitle); },
        [this] { return CommandState{!readOnly() && m_selection.memoListFocused() != kNoItem}; });

    // Attribute commands: enabled when editable, checked by the first target.
    const auto attributeRule = [this](bool memosOnly, auto checked) {
        return [this, memosOnly, checked] {
            const Item* first = firstTarget(memosOnly);
            return CommandState{editable(), first != nullptr && checked(*first)};
        };
    };
    actions.setHandler(
        kCmdSetTextColour, [this] { toggleColour(false); },
        attributeRule(false, [](const Item& i) { return i.HasOwnTextColour(); }));
    actions.setHandler(
        kCmdSetBackgroundColour, [this] { toggleColour(true); },
        attributeRule(false, [](const Item& i) { return i.HasOwnBackgroundColour(); }));
    actions.setHandler(
        kCmdStrikeOut, [this] { toggleStrikeOut(); },
        attributeRule(false, [](const Item& i) { return i.IsStruckOut(); }));
    actions.setHandler(
        kCmdSetRemarks, [this] { editRemarks(); },
        attributeRule(false, [](const Item& i) { return i.HasFlag(ItemFlags::kHasRemarks); }));
    actions.setHandler(
        kCmdWordWrap, [this] { toggleWordWrap(); },
        attributeRule(true, [](const Item& i) { return static_cast<const Memo&>(i).WordWrap(); }));
    actions.setHandler(
        kCmdFirstLineIsLink, [this] { toggleLink(false); },
        attributeRule(true, [](const Item& i) { return i.IsBodyLink(); }));
    actions.setHandler(
        kCmdRemarksIsLink, [this] { toggleLink(true); },
        attributeRule(true, [](const Item& i) { return i.IsRemarksLink(); }));
    actions.setAliasCheckRule(kCmdRemarksIsLink, [this] {
        const Item* first = firstTarget(true);
        return first && (first->IsRemarksLink() || first->IsBodyLink());
    });

    actions.setHandler(
        kCmdCopyAttributes, [this] { copyAttributes(); },
        [this] { return CommandState{!readOnly() && focusedItem() != kNoItem}; });
    actions.setHandler(
        kCmdApplyAttributes, [this] { applyRememberedAttributes(); },
        [this] { return CommandState{m_remembered.has_value() && editable()}; });
    actions.setHandler(
        kCmdNoteTextColour, [this] { chooseNoteColour(false); }, writable);
    actions.setHandler(
        kCmdNoteBackgroundColour, [this] { chooseNoteColour(true); }, writable);
    actions.setHandler(
        kCmdRemarksColumnName, [this] { editRemarksCaption(); }, writable);

    actions.setHandler(
        kCmdLockGroup, [this] { toggleGroupLock(); },
        [this] {
            const std::vector<ItemId> selected = m_selection.selectedItems();
            const Item* item = selected.size() == 1 ? m_note.FindItem(selected.front()) : nullptr;
            const bool group = item && item->IsGroup();
            return CommandState{group && !readOnly(), group && item->IsLockedGroup()};
        });
}
