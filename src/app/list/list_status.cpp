#include "app/list/list_status.h"

#include "app/common/body_preview.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;
using tidemark::kNoItem;

namespace {

constexpr std::uint32_t kBlankStatus = 12001;
constexpr std::uint32_t kCreateFirstMemo = 12004;
constexpr std::uint32_t kItemsSelected = 12005;
constexpr std::uint32_t kItemsInNote = 12007;
constexpr std::uint32_t kItemsInGroup = 12013;
constexpr std::uint32_t kPasswordNeeded = 12017;
constexpr std::uint32_t kRootTitle = 10005;

using Picture = ListStatus::Picture;

void describeSelection(tidemark::Note& note, const ListStatusInput& input, ListStatus& status) {
    if (input.selectedCount == 0) {
        if (note.ItemCount() > 1) {
            status.picture = Picture::kNoteItems;
            status.text = uiFormat(kItemsInNote, {note.ItemCount() - 1});
        } else {
            status.picture = Picture::kHint;
            status.text = uiText(kCreateFirstMemo);
        }
        return;
    }
    if (input.selectedCount > 1) {
        status.text = uiFormat(kItemsSelected, {input.selectedCount});
        return;
    }
    const Item* one = note.FindItem(input.selectedItem);
    if (!one)
        return;
    if (one->IsMemo()) {
        status.picture = Picture::kMemo;
        status.text = toQString(bodyPreview(tidemark::BodyOf(*one).View()));
    } else if (one->IsLockedGroup() && one->Password().Empty()) {
        status.picture = Picture::kLockedGroup;
        status.text = uiText(kPasswordNeeded);
    } else {
        status.picture = Picture::kGroup;
        status.text = uiFormat(kItemsInGroup, {note.GetChildCount(one->links.id)});
    }
}

}  // namespace

ListStatus listStatusOf(tidemark::Note& note, const ListStatusInput& input) {
    ListStatus status;
    if (input.focus == FocusWindow::kMemoList || input.focus == FocusWindow::kGroupList) {
        describeSelection(note, input, status);
    } else {
        status.text = uiText(kBlankStatus);
    }
    const ItemId root = note.RootId();
    const Item* focused = note.FindItem(input.memoListFocused);
    const Item* parent = focused ? note.FindItem(focused->links.parent) : nullptr;
    if (focused && parent) {
        status.position = int(note.GetSiblingIndex(focused->links.id)) + 1;
        status.count = int(note.GetChildCount(parent->links.id));
        status.groupTitle =
            parent->links.id == root ? uiText(kRootTitle) : toQString(parent->Title());
    } else {
        status.count = root != kNoItem ? int(note.GetChildCount(root)) : 0;
        status.groupTitle = uiText(kRootTitle);
    }
    return status;
}
