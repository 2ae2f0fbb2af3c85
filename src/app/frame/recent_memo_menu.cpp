#include "app/frame/recent_memo_menu.h"

#include "app/edit/byte_limit.h"
#include "app/qt_text.h"
#include "core/model/item.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

// A menu entry's text holds at most this many bytes in the note's encoding.
constexpr int kMaxEntryBytes = 260;

}  // namespace

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
        QString title = toQString(note.FindItem(recent[i])->Title());
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = QStringLiteral("&%1  ").arg((i + 1) % 10) + title;
        entries.push_back({recent[i], cutToBytes(text, kMaxEntryBytes)});
    }
    return entries;
}
