#include "app/common/command_table.h"

#include <algorithm>

#include "app/common/ui_strings.h"

namespace {

constexpr CommandInfo kCommands[] = {
#include "app/common/command_texts_ja.inc"
};

constexpr std::uint32_t kRecentNoteHelp = 12002;
constexpr std::uint32_t kToolMenuHelp = 42001;
constexpr std::uint32_t kRecentMemoHelp = 12018;

bool inRange(CommandId id, CommandId first) {
    return id >= first && id < first + tidemark::kCommandRangeSize;
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

const CommandInfo* findCommand(CommandId id) {
    const auto* it = std::lower_bound(std::begin(kCommands), std::end(kCommands), id,
                                      [](const CommandInfo& c, CommandId v) { return c.id < v; });
    return (it != std::end(kCommands) && it->id == id) ? it : nullptr;
}

CommandStyle commandStyle(CommandId id) {
    using namespace tidemark;
    switch (id) {
        case kCmdLayoutAlternate:
        case kCmdLayoutStacked:
        case kCmdLayoutSideBySide:
            return CommandStyle::kRadio;
        case kCmdToggleStandardToolbar:
        case kCmdToggleNavigationToolbar:
        case kCmdToggleMemoToolbar:
        case kCmdToggleSimpleToolbar:
        case kCmdToggleStatusBar:
        case kCmdStayOnTop:
        case kCmdReadOnly:
        case kCmdLockGroup:
        case kCmdSetRemarks:
        case kCmdSetTextColour:
        case kCmdSetBackgroundColour:
        case kCmdStrikeOut:
        case kCmdWordWrap:
        case kCmdFirstLineIsLink:
        case kCmdRemarksIsLink:
            return CommandStyle::kCheck;
        default:
            return CommandStyle::kPlain;
    }
}

QString menuTextOf(CommandId id) {
    const CommandInfo* info = findCommand(id);
    return info ? fromUtf8(info->menuText) : QString();
}

QString statusHelpOf(CommandId id) {
    if (inRange(id, tidemark::kCmdRecentNoteFirst))
        return uiText(kRecentNoteHelp);
    if (inRange(id, tidemark::kCmdToolMenuFirst))
        return uiText(kToolMenuHelp);
    if (inRange(id, tidemark::kCmdRecentMemoFirst))
        return uiText(kRecentMemoHelp);
    const CommandInfo* info = findCommand(id);
    return info ? fromUtf8(info->statusHelp) : QString();
}
