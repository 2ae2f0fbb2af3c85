#pragma once

#include <QString>
#include <span>
#include <string_view>

#include "core/settings/command_ids.h"

using tidemark::CommandId;

// How a command shows its state in menus and toolbars.
enum class CommandStyle {
    kPlain,
    kCheck,  // on or off (a toolbar shown, the window on top)
    kRadio,  // one of a group (the three layouts)
};

// One entry of the command table: the texts are the menu text and the
// status-bar help, UTF-8, exactly as the user sees them.
struct CommandInfo {
    CommandId id;
    std::string_view menuText;
    std::string_view statusHelp;
};

// Every fixed command, 40001 to 40126, in identifier order.
std::span<const CommandInfo> commandTable();
const CommandInfo* findCommand(CommandId id);
CommandStyle commandStyle(CommandId id);

QString menuTextOf(CommandId id);
// The status-bar help of a command or of an entry of the numbered ranges
// (recent notes, tool-menu places, recently opened memos).
QString statusHelpOf(CommandId id);
