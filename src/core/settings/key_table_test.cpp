#include "core/settings/key_table.h"

#include <gtest/gtest.h>

#include <set>

#include "core/common/little_endian.h"
#include "core/settings/accelerator_format.h"
#include "core/settings/key_names.h"
#include "core/settings/memory_value_store.h"
#include "core/settings/value_names.h"

namespace tidemark {
namespace {

std::vector<std::uint8_t> Record(CommandId command, std::uint8_t flags, std::uint16_t key) {
    std::vector<std::uint8_t> bytes(5);
    StoreU16(&bytes[0], command);
    bytes[2] = flags;
    StoreU16(&bytes[3], key);
    return bytes;
}

std::vector<std::uint8_t> Join(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(KeyTableTest, DefaultTableIsInMenuOrderWithItsKeys) {
    KeyTable table;
    ASSERT_EQ(table.Entries().size(), 80u);
    std::set<CommandId> commands;
    for (const KeyEntry& entry : table.Entries()) {
        EXPECT_TRUE(commands.insert(entry.Command).second) << entry.Command;
        if (entry.HasKey()) {
            EXPECT_EQ(entry.Flags & AccelFlag::kAssigned, AccelFlag::kAssigned) << entry.Command;
            EXPECT_FALSE(KeyText(entry.Flags, entry.Key).empty()) << entry.Command;
        } else {
            EXPECT_EQ(entry.Flags, 0) << entry.Command;
        }
    }
    // Groups follow the menus: file, edit, view, memo, tool, help.
    std::vector<std::uint8_t> groups;
    for (const KeyEntry& entry : table.Entries()) {
        if (groups.empty() || groups.back() != entry.Group)
            groups.push_back(entry.Group);
    }
    EXPECT_EQ(groups, (std::vector<std::uint8_t>{1, 2, 4, 6, 10, 9}));

    EXPECT_EQ(table.Entries().front(), (KeyEntry{kCmdNewNote, 1, 0x0B, 0x4E, 11101}));
    EXPECT_EQ(table.Entries().back(), (KeyEntry{kCmdAbout, 9, 0, 0, 11214}));
    struct Case {
        CommandId command;
        std::string text;
    } cases[] = {
        {kCmdNewNote, "Ctrl+N"},
        {kCmdNewFromTemplate, "Ctrl+Shift+N"},
        {kCmdPrint, "Ctrl+P"},
        {kCmdPasteInside, "Alt+Ctrl+V"},
        {kCmdSwitchPane, "Ctrl+Enter"},
        {kCmdToggleTitleBar, "Shift+Enter"},
        {kCmdNewGroupBefore, "Alt+Shift+G"},
        {kCmdParentGroup, "Alt+Left"},
        {ToolMenuCommand(1), "F1"},
        {ToolMenuCommand(10), "F10"},
        {kCmdRunScript, "F11"},
        {kCmdRunScriptFile, "F12"},
        {kCmdSort, ""},
        {kCmdOptions, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table.KeyTextOf(c.command), c.text) << c.command;
    EXPECT_EQ(table.KeyTextOf(kCmdDelete), "");  // not a bindable command
    EXPECT_EQ(table.Find(kCmdDelete), nullptr);
}

TEST(KeyTableTest, GroupHeadersHaveTheirStrings) {
    EXPECT_EQ(KeyGroupHeaderStringId(KeyGroup::kFile), 10054u);
    EXPECT_EQ(KeyGroupHeaderStringId(KeyGroup::kTool), 10058u);
    EXPECT_EQ(KeyGroupHeaderStringId(KeyGroup::kHelp), 10059u);
    EXPECT_EQ(KeyGroupHeaderStringId(3), 0u);
}

TEST(KeyTableTest, SavesOneFiveByteRecordPerEntryInTableOrder) {
    MemoryValueStore store;
    KeyTable table;
    table.ClearKey(kCmdPrint);
    ASSERT_TRUE(table.Save(store));
    std::optional<std::vector<std::uint8_t>> value = store.QueryBinary(ValueName::kAccelerator);
    ASSERT_TRUE(value);
    ASSERT_EQ(value->size(), 400u);
    EXPECT_EQ(std::vector<std::uint8_t>(value->begin(), value->begin() + 10),
              (std::vector<std::uint8_t>{0x41, 0x9C, 0x0B, 0x4E, 0x00,     // 40001 Ctrl+N
                                         0xAE, 0x9C, 0x0F, 0x4E, 0x00}));  // 40110 Ctrl+Shift+N
    // Entries without a key are written too: print (the 11th) now has none.
    EXPECT_EQ(std::vector<std::uint8_t>(value->begin() + 50, value->begin() + 55),
              Record(kCmdPrint, 0, 0));
}

TEST(KeyTableTest, LoadsWhatWasSaved) {
    MemoryValueStore store;
    KeyTable edited;
    edited.SetKey(kCmdOptions, AssignedFlags(true, false, false), 'O');
    edited.ClearKey(kCmdNewNote);
    edited.SetKey(kCmdHelp, AssignedFlags(false, false, false), 0x20);
    ASSERT_TRUE(edited.Save(store));

    KeyTable loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded, edited);
    EXPECT_EQ(loaded.KeyTextOf(kCmdOptions), "Alt+O");
    EXPECT_EQ(loaded.KeyTextOf(kCmdNewNote), "");
    EXPECT_EQ(WriteAcceleratorRecords(loaded), store.QueryBinary(ValueName::kAccelerator));
}

TEST(KeyTableTest, LoadKeepsDefaultsForCommandsTheValueDoesNotName) {
    MemoryValueStore store;
    // An older value: two known commands, one the program no longer has, and
    // a record cut off at the end.
    store.SetBinary(ValueName::kAccelerator, Join({Record(kCmdPrint, 0, 0),
                                                   Record(40999, 0x0B, 'Q'),
                                                   Record(kCmdSave, 0x13, 'S'),
                                                   {0x41, 0x9C, 0x03}}));
    KeyTable table;
    table.SetKey(kCmdOptions, 0x0B, 'K');  // replaced by the defaults on load
    table.Load(store);

    EXPECT_EQ(table.KeyTextOf(kCmdPrint), "");
    EXPECT_EQ(table.KeyTextOf(kCmdSave), "Alt+S");
    EXPECT_EQ(table.KeyTextOf(kCmdNewNote), "Ctrl+N");  // the cut-off record changed nothing
    EXPECT_EQ(table.KeyTextOf(kCmdOptions), "");
    EXPECT_EQ(table.KeyTextOf(ToolMenuCommand(1)), "F1");
}

TEST(KeyTableTest, AMissingOrUnreadableValueLeavesTheDefaults) {
    MemoryValueStore store;
    KeyTable table;
    table.Load(store);
    EXPECT_EQ(table, KeyTable());

    store.SetBinary(ValueName::kAccelerator, Record(kCmdNewNote, 0, 0));
    store.SetUnavailable(true);
    table.Load(store);
    EXPECT_EQ(table, KeyTable());
}

TEST(KeyTableTest, MarksEntriesThatShareAKey) {
    KeyTable table;
    table.SetKey(kCmdExportText, 0x0B, 'Q');
    table.SetKey(kCmdOptions, 0x0B, 'Q');
    table.SetKey(kCmdHelp, 0x0F, 'Q');  // another combination
    for (std::size_t i = 0; i < table.Entries().size(); ++i) {
        CommandId command = table.Entries()[i].Command;
        bool expected = command == kCmdExportText || command == kCmdOptions;
        EXPECT_EQ(table.SharesKey(i), expected) << command;
    }
    // Both stay in the accelerator list, the first in table order first.
    std::vector<CommandId> withQ;
    for (const KeyEntry& entry : table.Accelerators()) {
        if (entry.Key == 'Q' && entry.Flags == 0x0B)
            withQ.push_back(entry.Command);
    }
    EXPECT_EQ(withQ, (std::vector<CommandId>{kCmdExportText, kCmdOptions}));
}

TEST(KeyTableTest, AcceleratorsAreTheEntriesWithKeysInTableOrder) {
    KeyTable table;
    std::vector<KeyEntry> accelerators = table.Accelerators();
    EXPECT_EQ(accelerators.size(), 53u);
    EXPECT_EQ(accelerators.front().Command, kCmdNewNote);
    EXPECT_EQ(accelerators.back().Command, kCmdRunScriptFile);
    table.ClearKey(kCmdNewNote);
    EXPECT_EQ(table.Accelerators().front().Command, kCmdNewFromTemplate);
}

TEST(KeyTableTest, ApplyEditedTakesEveryKeyFromTheCopy) {
    KeyTable edited;
    edited.SetKey(kCmdSort, 0x13, 'O');
    edited.ClearKey(kCmdSave);
    KeyTable table;
    table.ApplyEdited(edited);
    EXPECT_EQ(table, edited);

    table.ResetToDefaults();
    EXPECT_EQ(table, KeyTable());
    EXPECT_EQ(table.KeyTextOf(kCmdSave), "Ctrl+S");
}

}  // namespace
}  // namespace tidemark
