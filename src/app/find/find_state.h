#pragma once

#include <QString>
#include <memory>

#include "core/model/item_id.h"
#include "core/search/search_options.h"
#include "core/search/text_matcher.h"

// Where the search of a main window stands. Made by the first find command
// from the stored options; lives as long as the window.
struct FindState {
    explicit FindState(tidemark::SearchOptions stored) : dialogOptions(stored) {}

    // What the dialog shows and reads back (and the settings keep).
    tidemark::SearchOptions dialogOptions;
    // The running search: its start byte is 0 until a dialog is confirmed,
    // and the current place once a match has been shown.
    tidemark::SearchOptions activeOptions;
    // The memo group that bounds the search (the root when not confined).
    tidemark::ItemId scope = tidemark::kNoItem;
    // Built for the last confirmed dialog.
    std::unique_ptr<tidemark::TextMatcher> matcher;
    // The search text as last typed.
    QString lastText;
};
