#pragma once

#include <cstdint>

namespace tidemark {

// The identifiers of the program's commands. Menus, toolbars, key
// assignments, tool menus and scripts all name commands by these numbers, and
// the "accelerator" value stores them, so they never change.
using CommandId = std::uint16_t;

inline constexpr CommandId kCmdNewNote = 40001;
inline constexpr CommandId kCmdOpenNote = 40002;
inline constexpr CommandId kCmdExit = 40003;
inline constexpr CommandId kCmdNewGroupBefore = 40004;
inline constexpr CommandId kCmdNewMemoBefore = 40005;
inline constexpr CommandId kCmdUndo = 40006;
inline constexpr CommandId kCmdCut = 40007;
inline constexpr CommandId kCmdCopy = 40008;
inline constexpr CommandId kCmdPaste = 40009;
inline constexpr CommandId kCmdDelete = 40010;
inline constexpr CommandId kCmdSelectAll = 40011;
inline constexpr CommandId kCmdSave = 40012;
inline constexpr CommandId kCmdSaveAs = 40013;
inline constexpr CommandId kCmdAbout = 40014;
inline constexpr CommandId kCmdNewMemo = 40015;
inline constexpr CommandId kCmdNewMemoInside = 40016;
inline constexpr CommandId kCmdNewGroup = 40017;
inline constexpr CommandId kCmdNewGroupInside = 40018;
inline constexpr CommandId kCmdLayoutAlternate = 40019;
inline constexpr CommandId kCmdLayoutStacked = 40020;
inline constexpr CommandId kCmdLayoutSideBySide = 40021;
inline constexpr CommandId kCmdSwitchPane = 40022;
inline constexpr CommandId kCmdToggleStandardToolbar = 40047;
inline constexpr CommandId kCmdToggleNavigationToolbar = 40048;
inline constexpr CommandId kCmdToggleStatusBar = 40049;
inline constexpr CommandId kCmdSetTextColour = 40050;
inline constexpr CommandId kCmdSetBackgroundColour = 40051;
inline constexpr CommandId kCmdPreviousMemo = 40054;
inline constexpr CommandId kCmdNextMemo = 40055;
inline constexpr CommandId kCmdWordWrap = 40057;
inline constexpr CommandId kCmdPageSetup = 40058;
inline constexpr CommandId kCmdPrint = 40059;
inline constexpr CommandId kCmdExportText = 40060;
inline constexpr CommandId kCmdImportText = 40061;
inline constexpr CommandId kCmdFindDown = 40062;
inline constexpr CommandId kCmdNoteBackgroundColour = 40066;
inline constexpr CommandId kCmdNoteTextColour = 40067;
inline constexpr CommandId kCmdEditTitle = 40068;
inline constexpr CommandId kCmdHelp = 40069;
inline constexpr CommandId kCmdStrikeOut = 40070;
inline constexpr CommandId kCmdPasteBefore = 40072;
inline constexpr CommandId kCmdPasteInside = 40073;
inline constexpr CommandId kCmdFirstLineIsLink = 40074;
inline constexpr CommandId kCmdOpenLink = 40075;
inline constexpr CommandId kCmdFindNextDown = 40076;
inline constexpr CommandId kCmdFindNextUp = 40077;
inline constexpr CommandId kCmdQuickStart = 40078;
inline constexpr CommandId kCmdFindUp = 40079;
inline constexpr CommandId kCmdCreateShortcut = 40080;
inline constexpr CommandId kCmdToggleMemoToolbar = 40081;
inline constexpr CommandId kCmdCopyAttributes = 40083;
inline constexpr CommandId kCmdApplyAttributes = 40084;
inline constexpr CommandId kCmdOptions = 40085;
inline constexpr CommandId kCmdSetRemarks = 40086;
inline constexpr CommandId kCmdRemarksColumnName = 40087;
inline constexpr CommandId kCmdSort = 40088;
inline constexpr CommandId kCmdRemarksIsLink = 40089;
inline constexpr CommandId kCmdRunScript = 40091;
inline constexpr CommandId kCmdRunScriptFile = 40096;
inline constexpr CommandId kCmdRegisterScripts = 40097;
inline constexpr CommandId kCmdNewFromTemplate = 40110;
inline constexpr CommandId kCmdScriptHelp = 40111;
inline constexpr CommandId kCmdRedo = 40112;
inline constexpr CommandId kCmdLockGroup = 40113;
inline constexpr CommandId kCmdToggleSimpleToolbar = 40114;
inline constexpr CommandId kCmdInsertDateTime = 40115;
inline constexpr CommandId kCmdBringAllToFront = 40117;
inline constexpr CommandId kCmdCloseAll = 40118;
inline constexpr CommandId kCmdOpenDefaultNote = 40119;
inline constexpr CommandId kCmdChooseDefaultNote = 40120;
inline constexpr CommandId kCmdParentGroup = 40121;
inline constexpr CommandId kCmdInsertFileName = 40122;
inline constexpr CommandId kCmdRescueNote = 40123;
inline constexpr CommandId kCmdToggleTitleBar = 40124;
inline constexpr CommandId kCmdStayOnTop = 40125;
inline constexpr CommandId kCmdReadOnly = 40126;

// The first and last identifier of the fixed commands.
inline constexpr CommandId kCmdFirst = 40001;
inline constexpr CommandId kCmdLast = 40126;

// Ranges of ten: entry n (1 to 10) is first + n - 1.
inline constexpr CommandId kCmdRecentNoteFirst = 41001;  // recent notes, File menu
inline constexpr CommandId kCmdToolMenuFirst = 42001;    // tool-menu places of scripts
inline constexpr CommandId kCmdRecentMemoFirst = 43001;  // recently opened memos, View menu
inline constexpr int kCommandRangeSize = 10;
// Button n (from 0) of the menu-bar toolbar, one per top-level menu.
inline constexpr CommandId kCmdMenuBarButtonFirst = 65001;

// The command of tool-menu place 1 to 10.
constexpr CommandId ToolMenuCommand(int place) {
    return static_cast<CommandId>(kCmdToolMenuFirst + place - 1);
}

}  // namespace tidemark
