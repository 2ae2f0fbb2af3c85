#pragma once

#include <optional>

#include "app/edit/edit_prompts.h"
#include "core/model/item_attributes.h"
#include "core/model/item_id.h"

class CommandActions;
class ItemViewUpdater;
class SelectionSource;
class WindowContext;

namespace tidemark {
class LockDialogs;
class Note;
class Settings;
}  // namespace tidemark

// The item operations of the lists: create, delete, sort, attributes, the
// note's colours and remarks caption, and locking a memo group. Each one
// changes the note, names the changed rows to the views, and marks the
// note modified through its host; none runs while the note is read-only.
// Everything passed in must outlive the object. Without a window context
// (`context` null) the sort's progress window has no parent and nothing is
// made busy.
class ItemCommands {
public:
    ItemCommands(tidemark::Note& note, const tidemark::Settings& settings,
                 SelectionSource& selection, ItemViewUpdater& views, EditPrompts& prompts,
                 tidemark::LockDialogs& lockDialogs, WindowContext* context = nullptr);

    void registerCommands(CommandActions& actions);

    // `relation` and `order` as Placement: beside/inside, before/after.
    void createItem(tidemark::ItemType kind, int relation, int order);
    // The selected items of the list that is the focus window, after asking
    // (the Delete command routes here when a list has the focus).
    void deleteSelection();
    // The sort dialog for the group the focus points at, preset to `key`.
    void sort(int key);
    void toggleColour(bool background);
    void toggleStrikeOut();
    void toggleWordWrap();
    void toggleLink(bool remarksLink);
    void editRemarks();
    void copyAttributes();
    void applyRememberedAttributes();
    void chooseNoteColour(bool background);
    void editRemarksCaption();
    void toggleGroupLock();

    bool hasRememberedAttributes() const { return m_remembered.has_value(); }

private:
    bool readOnly() const;
    void markModified();
    // The focused item of the FocusWindow list.
    tidemark::ItemId focusedItem() const;
    tidemark::Item* firstTarget(bool memosOnly) const;
    bool editable() const;

    tidemark::Note& m_note;
    const tidemark::Settings& m_settings;
    SelectionSource& m_selection;
    ItemViewUpdater& m_views;
    EditPrompts& m_prompts;
    tidemark::LockDialogs& m_lockDialogs;
    WindowContext* m_context;
    std::optional<tidemark::AttributeSet> m_remembered;
    bool m_sortDescending = false;  // the direction used last
};
