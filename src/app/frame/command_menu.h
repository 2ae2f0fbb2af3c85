#pragma once

#include <array>
#include <initializer_list>
#include <span>

#include "core/settings/command_ids.h"

class CommandActions;
class QMenu;

// A menu's entries as command ids, 0 standing for a separator.
inline constexpr int kMenuSeparator = 0;

// The sub-menus that the main menu, the popup menus and the toolbars'
// drop-downs share.
inline constexpr std::array<int, 3> kMemoCreationMenu{
    tidemark::kCmdNewMemo, tidemark::kCmdNewMemoBefore, tidemark::kCmdNewMemoInside};
inline constexpr std::array<int, 3> kGroupCreationMenu{
    tidemark::kCmdNewGroup, tidemark::kCmdNewGroupBefore, tidemark::kCmdNewGroupInside};
inline constexpr std::array<int, 3> kPasteMenu{tidemark::kCmdPaste, tidemark::kCmdPasteBefore,
                                               tidemark::kCmdPasteInside};

// Appends the actions of `ids` (and separators) to `menu`; ids without an
// action are left out.
void fillMenu(QMenu* menu, CommandActions& actions, std::span<const int> ids);
inline void fillMenu(QMenu* menu, CommandActions& actions, std::initializer_list<int> ids) {
    fillMenu(menu, actions, std::span<const int>(ids.begin(), ids.size()));
}
