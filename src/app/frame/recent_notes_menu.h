#pragma once

#include <QList>
#include <functional>
#include <vector>

#include "app/common/command_table.h"

class CommandActions;
class QAction;
class QMenu;

namespace tidemark {
struct RecentNoteMenuEntry;
}

// Puts the recent-note entries into `menu` just above the separator that
// precedes its last item (with a separator above them when the item there
// is not one), taking out the ones placed before. `placed` holds what was
// put in (the entries and any separator added) from one call to the next.
// Each entry runs `open` with its command.
void placeRecentNotes(QMenu& menu, CommandActions& actions, QList<QAction*>& placed,
                      const std::vector<tidemark::RecentNoteMenuEntry>& entries,
                      const std::function<void(CommandId)>& open);
