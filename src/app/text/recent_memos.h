#pragma once

#include "core/model/item_id.h"

namespace tidemark {
class Note;
}

// Records a closed memo at the front of the note's recently opened memos
// (ten ids, newest first, no repeats; the oldest drops off the end). A memo
// inside a locked group is not recorded. Returns whether the list changed.
bool recordRecentMemo(tidemark::Note& note, tidemark::ItemId memo);
