#include "app/frame/recent_memo_menu.h"

#include "app/common/qt_text.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/menu_entry_text.h"

using namespace tidemark;

std::vector<RecentMemoEntry> recentMemoEntries(Note& note) {
    auto& recent = note.View().recentMemos;
    std::size_t kept = 0;
    for (ItemId id : recent) {
        const Item* item = id == kNoItem ? nullptr : note.FindItem(id);
        if (item && !item->IsDeleted() && item->IsMemo())
            recent[kept++] = id;
    }
    for (std::size_t i = kept; i < recent.size(); ++i)
        recent[i] = kNoItem;

    std::vector<RecentMemoEntry> entries;
    for (std::size_t i = 0; i < kept; ++i) {
        const std::string text =
            NumberedMenuEntryText(int(i + 1), note.FindItem(recent[i])->Title().View());
        entries.push_back({recent[i], toQString(text)});
    }
    return entries;
}
