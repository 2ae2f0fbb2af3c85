#pragma once

#include <vector>

#include "core/model/item_id.h"

class ItemViewUpdater;

namespace tidemark {
class Note;
}  // namespace tidemark

// Deletes `tops` (items of the note's tree, none of them below another)
// with their subtrees, in order, without asking: the open memo is closed
// when it goes, the rows go before their items, and a locked group left
// without children loses its lock (an empty group cannot stay locked).
// Ids that no longer name an item are passed over. Ends with
// views.afterRemoval(); marking the note modified is the caller's part.
void removeItems(tidemark::Note& note, ItemViewUpdater& views,
                 const std::vector<tidemark::ItemId>& tops);
