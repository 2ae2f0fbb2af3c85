#include "app/text/recent_memos.h"

#include <algorithm>

#include "core/model/item.h"
#include "core/model/note.h"

bool recordRecentMemo(tidemark::Note& note, tidemark::ItemId memo) {
    const tidemark::Item* item = note.FindItem(memo);
    if (!item || !item->IsMemo() || item->LockOwner() != tidemark::kNoItem)
        return false;
    auto& recent = note.View().recentMemos;
    if (recent.front() == memo)
        return false;
    // Shift everything before the old place (or the whole list) down by one.
    auto last = std::find(recent.begin(), recent.end(), memo);
    if (last == recent.end())
        last = recent.end() - 1;
    std::move_backward(recent.begin(), last, last + 1);
    recent.front() = memo;
    return true;
}
