#pragma once

#include <QString>
#include <vector>

#include "core/model/item_id.h"

namespace tidemark {
class Note;
}

// One entry of the recently opened memos in the View menu.
struct RecentMemoEntry {
    tidemark::ItemId memo;
    QString text;  // "&1  title": the mnemonic (0 for the tenth) and the title
};

// The note's recently opened memos as menu entries, newest first. Memos that
// are gone or deleted are dropped from the note's list first, closing it up.
std::vector<RecentMemoEntry> recentMemoEntries(tidemark::Note& note);
