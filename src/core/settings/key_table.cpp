#include "core/settings/key_table.h"

#include "core/settings/accelerator_format.h"
#include "core/settings/key_names.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

namespace G = KeyGroup;

constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kPlain = AssignedFlags(false, false, false);    // 0x03
constexpr std::uint8_t kCtrl = AssignedFlags(false, true, false);      // 0x0B
constexpr std::uint8_t kCtrlShift = AssignedFlags(false, true, true);  // 0x0F
constexpr std::uint8_t kShift = AssignedFlags(false, false, true);     // 0x07
constexpr std::uint8_t kAlt = AssignedFlags(true, false, false);       // 0x13
constexpr std::uint8_t kAltShift = AssignedFlags(true, false, true);   // 0x17
constexpr std::uint8_t kAltCtrl = AssignedFlags(true, true, false);    // 0x1B

constexpr std::uint16_t kVkEnter = 0x0D;
constexpr std::uint16_t kVkLeft = 0x25;
constexpr std::uint16_t kVkUp = 0x26;
constexpr std::uint16_t kVkDown = 0x28;
constexpr std::uint16_t kVkF1 = 0x70;

constexpr std::uint16_t Letter(char c) {
    return static_cast<std::uint16_t>(c);
}

// Menu order; the texts are the menu strings of the commands.
constexpr std::array<KeyEntry, KeyTable::kEntryCount> kDefaults{{
    {kCmdNewNote, G::kFile, kCtrl, Letter('N'), 11101},
    {kCmdNewFromTemplate, G::kFile, kCtrlShift, Letter('N'), 11102},
    {kCmdOpenNote, G::kFile, kCtrl, Letter('O'), 11103},
    {kCmdSave, G::kFile, kCtrl, Letter('S'), 11104},
    {kCmdSaveAs, G::kFile, kCtrlShift, Letter('S'), 11105},
    {kCmdCreateShortcut, G::kFile, kNone, 0, 11106},
    {kCmdExportText, G::kFile, kNone, 0, 11107},
    {kCmdImportText, G::kFile, kNone, 0, 11108},
    {kCmdRescueNote, G::kFile, kNone, 0, 11109},
    {kCmdPageSetup, G::kFile, kNone, 0, 11110},
    {kCmdPrint, G::kFile, kCtrl, Letter('P'), 11111},
    {kCmdRedo, G::kEdit, kCtrl, Letter('Y'), 11121},
    {kCmdUndo, G::kEdit, kCtrl, Letter('Z'), 11122},
    {kCmdCut, G::kEdit, kCtrl, Letter('X'), 11123},
    {kCmdCopy, G::kEdit, kCtrl, Letter('C'), 11124},
    {kCmdPaste, G::kEdit, kCtrl, Letter('V'), 11125},
    {kCmdPasteBefore, G::kEdit, kCtrlShift, Letter('V'), 11126},
    {kCmdPasteInside, G::kEdit, kAltCtrl, Letter('V'), 11127},
    {kCmdSelectAll, G::kEdit, kCtrl, Letter('A'), 11128},
    {kCmdSort, G::kEdit, kNone, 0, 11129},
    {kCmdInsertFileName, G::kEdit, kCtrl, Letter('I'), 11130},
    {kCmdInsertDateTime, G::kEdit, kCtrl, Letter('T'), 11131},
    {kCmdFindDown, G::kEdit, kCtrl, Letter('F'), 11132},
    {kCmdFindUp, G::kEdit, kCtrlShift, Letter('F'), 11133},
    {kCmdFindNextDown, G::kEdit, kCtrl, Letter('G'), 11134},
    {kCmdFindNextUp, G::kEdit, kCtrlShift, Letter('G'), 11135},
    {kCmdReadOnly, G::kEdit, kNone, 0, 11136},
    {kCmdToggleStandardToolbar, G::kView, kNone, 0, 11140},
    {kCmdToggleNavigationToolbar, G::kView, kNone, 0, 11141},
    {kCmdToggleMemoToolbar, G::kView, kNone, 0, 11142},
    {kCmdToggleSimpleToolbar, G::kView, kNone, 0, 11143},
    {kCmdToggleStatusBar, G::kView, kNone, 0, 11144},
    {kCmdLayoutSideBySide, G::kView, kNone, 0, 11145},
    {kCmdLayoutStacked, G::kView, kNone, 0, 11146},
    {kCmdLayoutAlternate, G::kView, kNone, 0, 11147},
    {kCmdStayOnTop, G::kView, kNone, 0, 11148},
    {kCmdSwitchPane, G::kView, kCtrl, kVkEnter, 11149},
    {kCmdToggleTitleBar, G::kView, kShift, kVkEnter, 11151},
    {kCmdNoteTextColour, G::kView, kNone, 0, 11152},
    {kCmdNoteBackgroundColour, G::kView, kNone, 0, 11153},
    {kCmdRemarksColumnName, G::kView, kNone, 0, 11154},
    {kCmdOptions, G::kView, kNone, 0, 11155},
    {kCmdNewMemo, G::kMemo, kAlt, Letter('N'), 11160},
    {kCmdNewMemoBefore, G::kMemo, kAltShift, Letter('N'), 11161},
    {kCmdNewMemoInside, G::kMemo, kAltCtrl, Letter('N'), 11162},
    {kCmdNewGroup, G::kMemo, kAlt, Letter('G'), 11163},
    {kCmdNewGroupBefore, G::kMemo, kAltShift, Letter('G'), 11164},
    {kCmdNewGroupInside, G::kMemo, kAltCtrl, Letter('G'), 11165},
    {kCmdEditTitle, G::kMemo, kAlt, Letter('T'), 11166},
    {kCmdOpenLink, G::kMemo, kAlt, Letter('J'), 11167},
    {kCmdParentGroup, G::kMemo, kAlt, kVkLeft, 11168},
    {kCmdPreviousMemo, G::kMemo, kAlt, kVkUp, 11169},
    {kCmdNextMemo, G::kMemo, kAlt, kVkDown, 11170},
    {kCmdLockGroup, G::kMemo, kAlt, Letter('Y'), 11171},
    {kCmdSetRemarks, G::kMemo, kAlt, Letter('R'), 11172},
    {kCmdSetTextColour, G::kMemo, kAlt, Letter('C'), 11173},
    {kCmdSetBackgroundColour, G::kMemo, kAlt, Letter('B'), 11174},
    {kCmdStrikeOut, G::kMemo, kAlt, Letter('S'), 11175},
    {kCmdWordWrap, G::kMemo, kAlt, Letter('W'), 11176},
    {kCmdRemarksIsLink, G::kMemo, kAlt, Letter('L'), 11177},
    {kCmdFirstLineIsLink, G::kMemo, kAlt, Letter('I'), 11178},
    {kCmdCopyAttributes, G::kMemo, kNone, 0, 11179},
    {kCmdApplyAttributes, G::kMemo, kNone, 0, 11180},
    {ToolMenuCommand(1), G::kTool, kPlain, kVkF1 + 0, 11190},
    {ToolMenuCommand(2), G::kTool, kPlain, kVkF1 + 1, 11191},
    {ToolMenuCommand(3), G::kTool, kPlain, kVkF1 + 2, 11192},
    {ToolMenuCommand(4), G::kTool, kPlain, kVkF1 + 3, 11193},
    {ToolMenuCommand(5), G::kTool, kPlain, kVkF1 + 4, 11194},
    {ToolMenuCommand(6), G::kTool, kPlain, kVkF1 + 5, 11195},
    {ToolMenuCommand(7), G::kTool, kPlain, kVkF1 + 6, 11196},
    {ToolMenuCommand(8), G::kTool, kPlain, kVkF1 + 7, 11197},
    {ToolMenuCommand(9), G::kTool, kPlain, kVkF1 + 8, 11198},
    {ToolMenuCommand(10), G::kTool, kPlain, kVkF1 + 9, 11199},
    {kCmdRegisterScripts, G::kTool, kNone, 0, 11200},
    {kCmdRunScript, G::kTool, kPlain, kVkF1 + 10, 11201},
    {kCmdRunScriptFile, G::kTool, kPlain, kVkF1 + 11, 11202},
    {kCmdHelp, G::kHelp, kNone, 0, 11210},
    {kCmdQuickStart, G::kHelp, kNone, 0, 11211},
    {kCmdScriptHelp, G::kHelp, kNone, 0, 11212},
    {kCmdAbout, G::kHelp, kNone, 0, 11214},
}};

}  // namespace

std::uint32_t KeyGroupHeaderStringId(std::uint8_t group) {
    switch (group) {
        case G::kFile:
            return 10054;
        case G::kEdit:
            return 10055;
        case G::kView:
            return 10056;
        case G::kMemo:
            return 10057;
        case G::kTool:
            return 10058;
        case G::kHelp:
            return 10059;
        default:
            return 0;
    }
}

KeyTable::KeyTable() : m_entries(kDefaults) {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_byCommand[m_entries[i].Command] = i;
}

std::span<const KeyEntry> KeyTable::DefaultEntries() {
    return kDefaults;
}

std::optional<std::size_t> KeyTable::IndexOf(CommandId command) const {
    auto it = m_byCommand.find(command);
    if (it == m_byCommand.end())
        return std::nullopt;
    return it->second;
}

const KeyEntry* KeyTable::Find(CommandId command) const {
    std::optional<std::size_t> index = IndexOf(command);
    return index ? &m_entries[*index] : nullptr;
}

bool KeyTable::SetKey(CommandId command, std::uint8_t flags, std::uint16_t key) {
    std::optional<std::size_t> index = IndexOf(command);
    if (!index)
        return false;
    m_entries[*index].Flags = flags;
    m_entries[*index].Key = key;
    return true;
}

void KeyTable::ResetToDefaults() {
    m_entries = kDefaults;
}

void KeyTable::ApplyEdited(const KeyTable& edited) {
    for (KeyEntry& entry : m_entries) {
        const KeyEntry* source = edited.Find(entry.Command);
        entry.Flags = source ? source->Flags : 0;
        entry.Key = source ? source->Key : 0;
    }
}

void KeyTable::Load(const ValueStore& store) {
    ResetToDefaults();
    std::optional<std::vector<std::uint8_t>> value = store.QueryBinary(ValueName::kAccelerator);
    if (!value)
        return;
    for (const AcceleratorRecord& record : ReadAcceleratorRecords(*value)) {
        SetKey(record.Command, record.Flags, record.Key);
    }
}

bool KeyTable::Save(ValueStore& store) const {
    return store.SetBinary(ValueName::kAccelerator, WriteAcceleratorRecords(*this));
}

std::string KeyTable::KeyTextOf(CommandId command) const {
    const KeyEntry* entry = Find(command);
    return entry ? KeyText(entry->Flags, entry->Key) : std::string();
}

bool KeyTable::SharesKey(std::size_t index) const {
    const KeyEntry& entry = m_entries[index];
    if (!entry.HasKey())
        return false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (i != index && m_entries[i].Key == entry.Key && m_entries[i].Flags == entry.Flags) {
            return true;
        }
    }
    return false;
}

std::vector<KeyEntry> KeyTable::Accelerators() const {
    std::vector<KeyEntry> result;
    for (const KeyEntry& entry : m_entries) {
        if (entry.HasKey())
            result.push_back(entry);
    }
    return result;
}

}  // namespace tidemark
