#pragma once

#include <cstddef>

#include "core/model/item_id.h"
#include "core/search/search_options.h"

namespace tidemark {

class Note;
class TextMatcher;

// A match: in the title of `item`, or in the body of the memo `item`, at a
// byte offset of that text.
struct SearchHit {
    ItemId item = kNoItem;
    bool inTitle = false;
    std::size_t offset = 0;
    std::size_t length = 0;  // 0: nothing was found

    bool Found() const { return length != 0; }
};

// Where the user stands when a search starts.
struct SearchPlace {
    ItemId focused = kNoItem;  // the memo list's focused item
    // The text pane holds the focused memo and was the last pane with the
    // keyboard focus; its selection as byte offsets into the memo's body
    // (edits stored first).
    bool inText = false;
    std::size_t selectionStart = 0;
    std::size_t selectionEnd = 0;
};

// The group that bounds a search made with `options` from `focused`: the
// memo group holding the focused item when the search is confined to the
// current group and does not start at the note; the root otherwise.
ItemId SearchScopeFor(const Note& note, SearchOptions options, ItemId focused);

// Searches the note in document order from the place the start position of
// `options` names, within `scope`. Titles come before their item's body;
// locked memo groups that are shut are never looked into.
//
// Start positions: the note starts at the root's first child; the group at
// the first child of the memo group holding the focused item; the current
// place, on a memo group, at the item after it; on a memo, with its body
// (title skipped) from offset 0, or with the text pane: from the selection's
// end, or one character after an empty selection (the next item, title
// included, when the caret is at the very end).
SearchHit FindDownward(const Note& note, TextMatcher& matcher, SearchOptions options, ItemId scope,
                       const SearchPlace& place);

// Searches against document order: each memo's body backwards, then its
// title. The note starts at the last candidate of the root, the group at the
// last one of the memo group holding the focused item; the current place
// with the text pane at the body before the selection's start, then the
// memo's title; otherwise at the item before the focused one.
SearchHit FindUpward(const Note& note, TextMatcher& matcher, SearchOptions options, ItemId scope,
                     const SearchPlace& place);

}  // namespace tidemark
