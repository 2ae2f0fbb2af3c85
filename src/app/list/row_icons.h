#pragma once

#include <QIcon>
#include <QPixmap>

#include "core/model/item_id.h"

namespace tidemark {
class Item;
}

// The 16×16 pictures of the list rows and their numbers. The numbers are
// fixed: other parts of the program (the path box, the status bar) name the
// pictures by them.
namespace RowIcon {
inline constexpr int kMemo = 0;
inline constexpr int kGroupCollapsed = 1;
inline constexpr int kGroupExpanded = 2;
inline constexpr int kLockedGroupCollapsed = 3;
inline constexpr int kLockedGroupExpanded = 4;
inline constexpr int kMemoInLockedGroup = 5;
inline constexpr int kGroupInLockedGroupCollapsed = 6;
inline constexpr int kGroupInLockedGroupExpanded = 7;
inline constexpr int kOpenMemo = 8;
inline constexpr int kOpenMemoInLockedGroup = 9;
inline constexpr int kBlank = 10;
inline constexpr int kNewMemo = 11;
inline constexpr int kPaste = 12;
inline constexpr int kDrag = 13;
inline constexpr int kWarning = 14;
inline constexpr int kLockedGroupOpen = 15;  // the group list's form of an unlocked group
inline constexpr int kNone = 16;             // and every number above: nothing drawn
}  // namespace RowIcon

// The small pictures left of the row icons: plus and minus on memo groups,
// the link mark on memos whose body or remarks is a link.
namespace StateImage {
inline constexpr int kNone = 0;
inline constexpr int kPlus = 1;
inline constexpr int kMinus = 2;
inline constexpr int kLink = 3;
inline constexpr int kArrow = 4;
}  // namespace StateImage

// Where a row picture is shown: the memo list (groups show whether they are
// expanded), the group list (one level; unlocked groups in their second
// form) or the path box (no open-memo pictures).
enum class IconPlace { kMemoList, kGroupList, kPathBox };

// The picture number of `item` in `place`; `openMemo` is the memo the text
// pane holds (0: none).
int rowIconNumber(const tidemark::Item& item, IconPlace place, tidemark::ItemId openMemo);
// The state image number of `item` in `place` (0: none).
int stateImageNumber(const tidemark::Item& item, IconPlace place);

// The pictures, drawn once per number and device pixel ratio. Numbers out of
// range give a transparent picture.
QPixmap rowIconPixmap(int number, qreal devicePixelRatio = 1.0);
QPixmap stateImagePixmap(int number, qreal devicePixelRatio = 1.0);
QIcon rowIcon(int number);
