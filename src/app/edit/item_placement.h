#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/item_id.h"

namespace tidemark {
class Note;
}  // namespace tidemark

// A place in the note's tree: beside or inside `target` by the Placement
// `relation` and `order`.
struct ItemPlace {
    tidemark::ItemId target = tidemark::kNoItem;
    int relation = 0;
    int order = 0;
    friend bool operator==(const ItemPlace&, const ItemPlace&) = default;
};

// A lock in the way of a place: the message that says so and the item the
// message names.
struct LockRefusal {
    std::uint32_t message = 0;
    tidemark::ItemId named = tidemark::kNoItem;
    friend bool operator==(const LockRefusal&, const LockRefusal&) = default;
};

// Where a pasted or dropped run goes, and what the user is told first.
struct RunPlacement {
    // The lock that refused the place asked for, to be shown as an error.
    std::optional<LockRefusal> refusal;
    // The place asked for was refused or is gone: the run goes to the end of
    // the note instead, which is told (ItemPlacement::kAppendedAtTheEnd).
    bool toEndOfNote = false;
    // Where the run goes; nothing when it goes nowhere and is to be deleted.
    std::optional<ItemPlace> place;
};

// The rules for putting new items (pasted or dropped) into a note: which
// place a paste or drop aims at, which lock refuses it, where a refused run
// goes instead, and the lock owner the placed items take. Works on the note
// alone; the note must outlive the object.
class ItemPlacement {
public:
    static constexpr std::uint32_t kAppendedAtTheEnd = 14005;
    static constexpr std::uint32_t kLockedInsideLocked = 20077;
    static constexpr std::uint32_t kGroupLockedAgainstAdding = 20082;

    // What becomes of a run whose place is refused or gone: a paste sends
    // it to the end of the note, a drop puts it nowhere.
    enum class WhenRefused { kToEndOfNote, kNowhere };

    explicit ItemPlacement(tidemark::Note& note) : m_note(note) {}

    // As the last child of the root.
    ItemPlace endOfNote() const;
    // A paste by `relation` and `order` at the list's `focused` item (0:
    // none). Without a focused item only a paste after goes in: at the end
    // of `shownGroup` (the group an empty group list shows; 0: none), else
    // of the root. Nothing when the paste has no place.
    std::optional<ItemPlace> pastePlace(tidemark::ItemId focused, tidemark::ItemId shownGroup,
                                        int relation, int order) const;
    // A drop beside or inside `target`; 0 target: the end of the note.
    ItemPlace dropPlace(tidemark::ItemId target, int relation, int order) const;

    // The lock owner items placed at `place` take; 0 when none.
    tidemark::ItemId lockOwnerAt(const ItemPlace& place) const;
    // The lock that refuses new items at `place`: a place locked against
    // adding (kGroupLockedAgainstAdding, naming the lock owner, or the
    // target when it has none), or a run holding a locked group placed
    // inside a locked group (kLockedInsideLocked, naming that group).
    // `run` is the first item of the unplaced run (0: one new item that
    // holds no lock). Nothing when no lock is in the way or the target is
    // gone.
    std::optional<LockRefusal> refusal(const ItemPlace& place, tidemark::ItemId run) const;
    // Where the unplaced run starting at `run` goes when asked for `place`.
    RunPlacement placeRun(tidemark::ItemId run, const ItemPlace& place,
                          WhenRefused whenRefused) const;

    // Links the unplaced run starting at `first` in at `place`; when the
    // place has a lock owner, the run and everything below it take it.
    // Returns the run's items (not their descendants), in order.
    std::vector<tidemark::ItemId> insertRun(tidemark::ItemId first, const ItemPlace& place);
    // Links the new unplaced memo `id` in at `place` with the place's lock
    // owner.
    void insertMemo(tidemark::ItemId id, const ItemPlace& place);

private:
    tidemark::Note& m_note;
};
