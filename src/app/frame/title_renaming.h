#pragma once

#include <QString>

#include "app/frame/list_panes_part.h"

class CommandActions;

// Titles changed in place: the edit title command, a title edit box of
// either list confirmed, and a title typed into the path box.
class TitleRenaming : private ListPanesPart {
public:
    explicit TitleRenaming(ListPanes& lists) : ListPanesPart(lists) {}

    // 40068, enabled while the focus list has a focused row.
    void registerCommands(CommandActions& actions);
    void editTitle();
    // A title edit box closed with `text` for `item` (refused while
    // read-only; characters the note cannot hold are named).
    void applyTitle(tidemark::ItemId item, const QString& text);
    // The path box's field was left or confirmed: a changed text renames the
    // memo list's focused item (not while read-only); otherwise the field
    // shows the title again.
    void pathBoxEdited();
    // A title typed into the path box and not yet confirmed is applied.
    void commitPathBox();
};
