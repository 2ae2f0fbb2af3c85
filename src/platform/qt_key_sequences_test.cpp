#include "platform/qt_key_sequences.h"

#include <gtest/gtest.h>

#include "core/settings/command_ids.h"
#include "core/settings/key_names.h"

namespace {

using namespace tidemark;

QList<QKeySequence> seq(std::initializer_list<QKeyCombination> keys) {
    QList<QKeySequence> list;
    for (QKeyCombination key : keys)
        list << QKeySequence(key);
    return list;
}

TEST(QtKeySequencesTest, TurnsAssignmentsIntoQtKeys) {
    struct Case {
        std::uint8_t flags;
        std::uint16_t key;
        QList<QKeySequence> expected;
    } cases[] = {
        {0x0B, 'N', seq({Qt::CTRL | Qt::Key_N})},
        {0x0F, 'S', seq({Qt::CTRL | Qt::SHIFT | Qt::Key_S})},
        {0x1B, 'V', seq({Qt::CTRL | Qt::ALT | Qt::Key_V})},
        {0x13, 0x25, seq({Qt::ALT | Qt::Key_Left})},
        {0x13, 0x28, seq({Qt::ALT | Qt::Key_Down})},
        {0x03, 0x70, seq({QKeyCombination(Qt::Key_F1)})},
        {0x03, 0x7B, seq({QKeyCombination(Qt::Key_F12)})},
        {0x0B, '7', seq({Qt::CTRL | Qt::Key_7})},
        {0x1F, 0x20, seq({Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Space})},
        {0x07, 0x0D, seq({Qt::SHIFT | Qt::Key_Return, Qt::SHIFT | Qt::Key_Enter})},
        {0x00, 0x00, {}},
        {0x0B, 0x2E, {}},  // a key the table cannot name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keySequencesFor(c.flags, c.key), c.expected)
            << KeyText(c.flags, c.key) << " " << int(c.flags) << "/" << c.key;
    }
}

TEST(QtKeySequencesTest, EveryCommandGetsItsShortcutsAndTheFirstOfADuplicateWins) {
    KeyTable table;
    table.SetKey(kCmdExportText, AssignedFlags(false, true, false), 'Q');
    table.SetKey(kCmdOptions, AssignedFlags(false, true, false), 'Q');
    table.ClearKey(kCmdPrint);

    QMap<int, QList<QKeySequence>> shortcuts = shortcutsByCommand(table);
    EXPECT_EQ(shortcuts.size(), 80);
    EXPECT_EQ(shortcuts.value(kCmdNewNote), seq({Qt::CTRL | Qt::Key_N}));
    EXPECT_EQ(shortcuts.value(ToolMenuCommand(1)), seq({QKeyCombination(Qt::Key_F1)}));
    EXPECT_EQ(shortcuts.value(kCmdExportText), seq({Qt::CTRL | Qt::Key_Q}));
    EXPECT_TRUE(shortcuts.contains(kCmdOptions));
    EXPECT_TRUE(shortcuts.value(kCmdOptions).isEmpty());
    EXPECT_TRUE(shortcuts.value(kCmdPrint).isEmpty());
    EXPECT_TRUE(shortcuts.value(kCmdSort).isEmpty());
}

}  // namespace
