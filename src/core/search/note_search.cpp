#include "core/search/note_search.h"

#include <algorithm>

#include "core/model/item.h"
#include "core/model/note.h"
#include "core/search/pane_position.h"
#include "core/search/search_walk.h"
#include "core/search/text_matcher.h"

namespace tidemark {
namespace {

// The first item to look at and what of it to leave out.
struct Start {
    ItemId item = kNoItem;
    bool skipTitle = false;
    bool bodyFromPlace = false;  // the body begins (or ends) at `bodyOffset`
    std::size_t bodyOffset = 0;
};

SearchWalk WalkFor(SearchOptions options, ItemId scope) {
    return SearchWalk{scope, options.SearchesTitles(), !options.Has(SearchOptions::kNoDescend)};
}

ItemId HoldingGroup(const Note& note, ItemId focused) {
    const Item* item = note.FindItem(focused);
    const ItemId parent = item ? item->links.parent : kNoItem;
    return note.FindItem(parent) ? parent : note.RootId();
}

const Memo* AsMemo(const Item* item) {
    return item && item->IsMemo() ? static_cast<const Memo*>(item) : nullptr;
}

std::size_t MatchForward(TextMatcher& matcher, std::string_view text, std::size_t offset,
                         std::size_t& position) {
    if (!matcher.SetText(text, std::min(offset, text.size())))
        return 0;
    return matcher.FindForward(position);
}

std::size_t MatchBackward(TextMatcher& matcher, std::string_view text, std::size_t limit,
                          std::size_t& position) {
    if (!matcher.SetText(text, std::min(limit, text.size())))
        return 0;
    return matcher.FindBackward(position);
}

Start DownwardStart(const Note& note, SearchOptions options, const SearchWalk& walk,
                    const SearchPlace& place) {
    switch (options.Start()) {
        case SearchOptions::kStartAtNote:
            if (const Item* root = note.FindItem(note.RootId()))
                return {root->links.firstChild};
            return {};
        case SearchOptions::kStartAtGroup:
            if (const Item* group = note.FindItem(HoldingGroup(note, place.focused)))
                return {group->links.firstChild};
            return {};
        default:
            break;
    }
    const Item* focused = note.FindItem(place.focused);
    if (!focused)
        return {};
    const Memo* memo = AsMemo(focused);
    if (!memo)
        return {NextSearchItem(note, walk, place.focused)};
    if (!place.inText)
        return {place.focused, true, true, 0};
    const std::string_view body = memo->Body().View();
    if (place.selectionStart != place.selectionEnd)
        return {place.focused, true, true, place.selectionEnd};
    if (place.selectionEnd >= body.size())
        return {NextSearchItem(note, walk, place.focused)};
    // An empty selection: the search begins one character after the caret.
    return {place.focused, true, true,
            place.selectionEnd + PaneCharLength(body, place.selectionEnd)};
}

Start UpwardStart(const Note& note, SearchOptions options, const SearchWalk& walk,
                  const SearchPlace& place) {
    switch (options.Start()) {
        case SearchOptions::kStartAtNote:
            return {LastSearchItem(note, walk, note.RootId())};
        case SearchOptions::kStartAtGroup:
            return {LastSearchItem(note, walk, HoldingGroup(note, place.focused))};
        default:
            break;
    }
    if (place.inText && AsMemo(note.FindItem(place.focused)))
        return {place.focused, false, true, place.selectionStart};
    return {PreviousSearchItem(note, walk, place.focused)};
}

}  // namespace

ItemId SearchScopeFor(const Note& note, SearchOptions options, ItemId focused) {
    if (options.Has(SearchOptions::kInGroupOnly) && options.Start() != SearchOptions::kStartAtNote)
        return HoldingGroup(note, focused);
    return note.RootId();
}

SearchHit FindDownward(const Note& note, TextMatcher& matcher, SearchOptions options, ItemId scope,
                       const SearchPlace& place) {
    if (!matcher.IsValid())
        return {};
    const SearchWalk walk = WalkFor(options, scope);
    Start start = DownwardStart(note, options, walk, place);
    SearchCursor cursor(note, walk, start.item);
    std::size_t budget = note.Items().Size() + 1;
    for (const Item* item = note.FindItem(start.item); item && budget-- > 0;
         item = cursor.Next(), start = {}) {
        const ItemId id = item->links.id;
        if (!IsSearchable(note, *item))
            continue;
        std::size_t position = 0;
        if (options.SearchesTitles() && !start.skipTitle) {
            if (std::size_t length = MatchForward(matcher, item->Title().View(), 0, position))
                return {id, true, position, length};
        }
        const Memo* memo = AsMemo(item);
        if (memo && options.SearchesBodies()) {
            const std::size_t from = start.bodyFromPlace ? start.bodyOffset : 0;
            if (std::size_t length = MatchForward(matcher, memo->Body().View(), from, position))
                return {id, false, position, length};
        }
    }
    return {};
}

SearchHit FindUpward(const Note& note, TextMatcher& matcher, SearchOptions options, ItemId scope,
                     const SearchPlace& place) {
    if (!matcher.IsValid())
        return {};
    const SearchWalk walk = WalkFor(options, scope);
    Start start = UpwardStart(note, options, walk, place);
    SearchCursor cursor(note, walk, start.item);
    std::size_t budget = note.Items().Size() + 1;
    for (const Item* item = note.FindItem(start.item); item && budget-- > 0;
         item = cursor.Previous(), start = {}) {
        const ItemId id = item->links.id;
        if (!IsSearchable(note, *item))
            continue;
        std::size_t position = 0;
        const Memo* memo = AsMemo(item);
        if (memo && options.SearchesBodies()) {
            const std::string_view body = memo->Body().View();
            const std::size_t limit = start.bodyFromPlace ? start.bodyOffset : body.size();
            if (std::size_t length = MatchBackward(matcher, body, limit, position))
                return {id, false, position, length};
        }
        if (options.SearchesTitles()) {
            if (std::size_t length = MatchForward(matcher, item->Title().View(), 0, position))
                return {id, true, position, length};
        }
    }
    return {};
}

}  // namespace tidemark
