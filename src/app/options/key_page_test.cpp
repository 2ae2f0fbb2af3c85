#include "app/options/key_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/test_support.h"
#include "core/settings/command_ids.h"
#include "core/settings/memory_value_store.h"
#include "core/settings/settings.h"
#include "core/settings/value_names.h"
#include "platform/qt_font_service.h"

namespace {

using tidemark::CommandId;
using tidemark::KeyTable;

constexpr std::uint8_t kCtrl = 0x0B;  // assigned, with Ctrl
constexpr std::uint16_t kVkN = 0x4E;
constexpr std::uint16_t kVkQ = 0x51;

// The page with its controls, as a person finds them.
struct PageUnderTest {
    explicit PageUnderTest(const KeyTable& keys) : page(keys) {
        list = page.findChild<QTreeWidget*>(QStringLiteral("keyList"));
        alt = page.findChild<QCheckBox*>(QStringLiteral("altBox"));
        ctrl = page.findChild<QCheckBox*>(QStringLiteral("ctrlBox"));
        shift = page.findChild<QCheckBox*>(QStringLiteral("shiftBox"));
        key = page.findChild<QComboBox*>(QStringLiteral("keyBox"));
        reset = page.findChild<QPushButton*>(QStringLiteral("resetButton"));
    }

    QTreeWidgetItem* row(CommandId command) const {
        for (QTreeWidgetItemIterator it(list); *it; ++it) {
            if ((*it)->data(0, KeyPage::kCommandRole) == QVariant(int(command)))
                return *it;
        }
        ADD_FAILURE() << "no row for command " << command;
        return nullptr;
    }
    void select(CommandId command) const { list->setCurrentItem(row(command)); }
    QString keyText(CommandId command) const { return row(command)->text(1); }
    bool marked(CommandId command) const {
        return row(command)->data(0, KeyPage::kSharedRole).toBool();
    }
    // Picks a key by its name ("" for none) in the key box.
    void chooseKey(const QString& name) const { key->setCurrentIndex(key->findText(name)); }
    bool controlsEnabled() const {
        return alt->isEnabled() && ctrl->isEnabled() && shift->isEnabled() && key->isEnabled();
    }
    bool controlsDisabled() const {
        return !alt->isEnabled() && !ctrl->isEnabled() && !shift->isEnabled() && !key->isEnabled();
    }
    bool controlsClear() const {
        return !alt->isChecked() && !ctrl->isChecked() && !shift->isChecked() &&
               key->currentIndex() == 0;
    }

    KeyPage page;
    QTreeWidget* list;
    QCheckBox* alt;
    QCheckBox* ctrl;
    QCheckBox* shift;
    QComboBox* key;
    QPushButton* reset;
};

// What apply() writes into.
struct Target {
    tidemark::Settings settings;
    KeyTable keys;
    tidemark::MemoryValueStore store;
    QtFontService fonts;
    OptionsTarget target{settings, keys, store, fonts};
};

KeyTable storedKeys(const tidemark::MemoryValueStore& store) {
    KeyTable keys;
    keys.Load(store);
    return keys;
}

TEST(KeyPage, ListsTheCommandsUnderTheirMenusWithTheirKeys) {
    PageUnderTest ui{KeyTable()};
    EXPECT_EQ(ui.page.title(), "キー");
    EXPECT_EQ(ui.list->headerItem()->text(0), "メニュー");
    EXPECT_EQ(ui.list->headerItem()->text(1), "キーの割り当て");

    const QStringList headers = {
        "ファイル関連:", "編集関連:", "表示関連:", "メモ関連:", "ツール関連:", "ヘルプ関連:"};
    const std::vector<int> rowsUnder = {11, 16, 15, 21, 13, 4};
    ASSERT_EQ(ui.list->topLevelItemCount(), headers.size());
    for (int i = 0; i < headers.size(); ++i) {
        QTreeWidgetItem* header = ui.list->topLevelItem(i);
        EXPECT_EQ(header->text(0), headers[i]);
        EXPECT_TRUE(header->text(1).isEmpty());
        EXPECT_FALSE(header->data(0, KeyPage::kCommandRole).isValid());
        EXPECT_EQ(header->childCount(), rowsUnder[std::size_t(i)]) << header->text(0).toStdString();
    }
    // Every entry is a row one level under its header, in table order.
    const auto entries = KeyTable::DefaultEntries();
    std::size_t next = 0;
    for (int i = 0; i < ui.list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* header = ui.list->topLevelItem(i);
        for (int j = 0; j < header->childCount(); ++j, ++next) {
            ASSERT_LT(next, entries.size());
            EXPECT_EQ(header->child(j)->data(0, KeyPage::kCommandRole).toInt(),
                      int(entries[next].Command));
            EXPECT_FALSE(header->child(j)->text(0).isEmpty());
            EXPECT_FALSE(ui.marked(entries[next].Command));
        }
    }
    EXPECT_EQ(next, entries.size());

    struct Case {
        CommandId command;
        const char* menu;
        const char* key;
    };
    const Case cases[] = {
        {tidemark::kCmdNewNote, "新規作成(&N)", "Ctrl+N"},
        {tidemark::kCmdNewFromTemplate, "テンプレートを使って新規作成(&T)...", "Ctrl+Shift+N"},
        {tidemark::kCmdPasteInside, "メモグループの中に貼り付け(&C)", "Alt+Ctrl+V"},
        {tidemark::kCmdToggleTitleBar, "タイトルバー表示の切り替え(&S)", "Shift+Enter"},
        {tidemark::kCmdCreateShortcut, "ショートカットの作成(&H)...", ""},
        {tidemark::ToolMenuCommand(1), "ツールメニュー1", "F1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui.row(c.command)->text(0), QString::fromUtf8(c.menu));
        EXPECT_EQ(ui.keyText(c.command), QString::fromUtf8(c.key)) << c.menu;
    }
}

TEST(KeyPage, KeyBoxOffersAnEmptyItemThenTheAssignableKeysInOrder) {
    PageUnderTest ui{KeyTable()};
    ASSERT_EQ(ui.key->count(), 55);
    EXPECT_TRUE(ui.key->itemText(0).isEmpty());
    EXPECT_FALSE(ui.key->itemData(0, KeyPage::kKeyPositionRole).isValid());
    const std::pair<int, const char*> named[] = {
        {1, "A"},     {26, "Z"},     {27, "0"},  {36, "9"},    {37, "F1"},    {48, "F12"},
        {49, "Left"}, {50, "Right"}, {51, "Up"}, {52, "Down"}, {53, "Enter"}, {54, "Space"},
    };
    for (const auto& [index, name] : named)
        EXPECT_EQ(ui.key->itemText(index), name);
    for (int i = 1; i < ui.key->count(); ++i)
        EXPECT_EQ(ui.key->itemData(i, KeyPage::kKeyPositionRole).toInt(), i - 1);
}

TEST(KeyPage, SelectingARowShowsItsKeyAndAHeaderOrNothingDisablesTheControls) {
    PageUnderTest ui{KeyTable()};
    EXPECT_TRUE(ui.controlsDisabled());

    struct Case {
        CommandId command;
        bool alt, ctrl, shift;
        const char* key;
    };
    const Case cases[] = {
        {tidemark::kCmdNewGroupInside, true, true, false, "G"},
        {tidemark::kCmdToggleTitleBar, false, false, true, "Enter"},
        {tidemark::ToolMenuCommand(10), false, false, false, "F10"},
        {tidemark::kCmdCreateShortcut, false, false, false, ""},
    };
    for (const Case& c : cases) {
        ui.select(tidemark::kCmdNewGroupInside);  // leaves boxes checked
        ui.select(c.command);
        EXPECT_TRUE(ui.controlsEnabled()) << c.command;
        EXPECT_EQ(ui.alt->isChecked(), c.alt) << c.command;
        EXPECT_EQ(ui.ctrl->isChecked(), c.ctrl) << c.command;
        EXPECT_EQ(ui.shift->isChecked(), c.shift) << c.command;
        EXPECT_EQ(ui.key->currentText(), c.key) << c.command;
    }

    ui.select(tidemark::kCmdNewGroupInside);
    ui.list->setCurrentItem(ui.list->topLevelItem(3));  // "メモ関連:"
    EXPECT_TRUE(ui.controlsDisabled());
    EXPECT_TRUE(ui.controlsClear());

    ui.select(tidemark::kCmdNewGroupInside);
    ui.list->clearSelection();
    EXPECT_TRUE(ui.controlsDisabled());
    EXPECT_TRUE(ui.controlsClear());

    // Showing a row's key is not a change of it.
    EXPECT_FALSE(ui.page.isChanged());
    EXPECT_EQ(ui.page.keys(), KeyTable());
}

TEST(KeyPage, ControlsGiveTheSelectedCommandItsKey) {
    PageUnderTest ui{KeyTable()};
    const CommandId command = tidemark::kCmdCreateShortcut;
    ui.select(command);

    // A modifier without a key is still no key.
    ui.ctrl->click();
    EXPECT_EQ(*ui.page.keys().Find(command), (tidemark::KeyEntry{command, 1, 0, 0, 11106}));
    EXPECT_TRUE(ui.keyText(command).isEmpty());

    struct Step {
        std::function<void()> act;
        const char* text;
        std::uint8_t flags;
        std::uint16_t key;
    };
    const Step steps[] = {
        {[&] { ui.chooseKey("Q"); }, "Ctrl+Q", kCtrl, kVkQ},
        {[&] { ui.shift->click(); }, "Ctrl+Shift+Q", 0x0F, kVkQ},
        {[&] { ui.alt->click(); }, "Alt+Ctrl+Shift+Q", 0x1F, kVkQ},
        {[&] { ui.ctrl->click(); }, "Alt+Shift+Q", 0x17, kVkQ},
        {[&] { ui.chooseKey("Space"); }, "Alt+Shift+Space", 0x17, 0x20},
        {[&] { ui.chooseKey(""); }, "", 0, 0},
    };
    for (const Step& step : steps) {
        step.act();
        const tidemark::KeyEntry* entry = ui.page.keys().Find(command);
        EXPECT_EQ(entry->Flags, step.flags) << step.text;
        EXPECT_EQ(entry->Key, step.key) << step.text;
        EXPECT_EQ(ui.keyText(command), step.text);
    }
    EXPECT_TRUE(ui.page.isChanged());
}

TEST(KeyPage, ASharedKeyMarksEveryRowThatHasIt) {
    PageUnderTest ui{KeyTable()};
    const CommandId shortcut = tidemark::kCmdCreateShortcut;
    const CommandId print = tidemark::kCmdPrint;

    ui.select(shortcut);
    ui.ctrl->click();
    ui.chooseKey("Q");
    EXPECT_FALSE(ui.marked(shortcut));

    ui.select(print);
    ui.chooseKey("Q");
    EXPECT_EQ(ui.keyText(print), "Ctrl+Q");
    EXPECT_TRUE(ui.marked(shortcut));
    EXPECT_TRUE(ui.marked(print));
    EXPECT_FALSE(ui.marked(tidemark::kCmdNewNote));
    // The two marks look different.
    EXPECT_NE(ui.row(print)->icon(0).cacheKey(), ui.row(tidemark::kCmdNewNote)->icon(0).cacheKey());
    EXPECT_FALSE(ui.row(tidemark::kCmdNewNote)->icon(0).isNull());
    EXPECT_FALSE(ui.row(print)->icon(0).isNull());

    // Clearing one leaves the other alone with the key.
    ui.select(shortcut);
    ui.chooseKey("");
    EXPECT_FALSE(ui.marked(shortcut));
    EXPECT_FALSE(ui.marked(print));

    // Moving one away from a shared key unmarks the one left behind.
    ui.select(shortcut);
    ui.ctrl->setChecked(true);
    ui.chooseKey("Q");
    ASSERT_TRUE(ui.marked(print));
    ui.select(print);
    ui.chooseKey("P");
    EXPECT_FALSE(ui.marked(print));
    EXPECT_FALSE(ui.marked(shortcut));
}

TEST(KeyPage, ATableWithASharedKeyShowsTheMarkAtOnce) {
    KeyTable keys;
    keys.SetKey(tidemark::kCmdCreateShortcut, kCtrl, kVkN);
    PageUnderTest ui{keys};
    EXPECT_TRUE(ui.marked(tidemark::kCmdCreateShortcut));
    EXPECT_TRUE(ui.marked(tidemark::kCmdNewNote));
    EXPECT_FALSE(ui.marked(tidemark::kCmdNewFromTemplate));  // Ctrl+Shift+N
}

TEST(KeyPage, ApplySavesTheEditedCopyAndHandsItToTheWindow) {
    Target t;
    PageUnderTest ui{t.keys};
    ui.select(tidemark::kCmdPrint);
    ui.chooseKey("");
    // The page edits its own copy until it is applied.
    EXPECT_EQ(t.keys.KeyTextOf(tidemark::kCmdPrint), "Ctrl+P");
    EXPECT_FALSE(t.store.QueryBinary(tidemark::ValueName::kAccelerator));

    ui.page.apply(t.target);
    EXPECT_TRUE(t.target.keysChanged);
    EXPECT_FALSE(t.target.applyNeeded);
    EXPECT_FALSE(t.keys.Find(tidemark::kCmdPrint)->HasKey());
    EXPECT_EQ(t.keys.KeyTextOf(tidemark::kCmdPrint), "");
    EXPECT_EQ(t.keys.KeyTextOf(tidemark::kCmdNewNote), "Ctrl+N");
    EXPECT_EQ(t.keys, ui.page.keys());
    ASSERT_TRUE(t.store.QueryBinary(tidemark::ValueName::kAccelerator));
    EXPECT_EQ(t.store.QueryBinary(tidemark::ValueName::kAccelerator)->size(),
              5 * KeyTable::kEntryCount);
    EXPECT_EQ(storedKeys(t.store), t.keys);
}

TEST(KeyPage, ApplyWithoutAChangeWritesNothing) {
    Target t;
    // The window's table differs from what the page shows: an apply that
    // took the page's copy would give 新規作成 its key back.
    t.keys.ClearKey(tidemark::kCmdNewNote);
    PageUnderTest ui{KeyTable()};
    ui.select(tidemark::kCmdPrint);
    ui.list->setCurrentItem(ui.list->topLevelItem(0));

    ui.page.apply(t.target);
    EXPECT_EQ(t.store.WriteCount(), 0);
    EXPECT_FALSE(t.target.keysChanged);
    EXPECT_FALSE(t.keys.Find(tidemark::kCmdNewNote)->HasKey());
    EXPECT_TRUE(ui.page.leave());
}

TEST(KeyPage, ResetGivesEveryCommandItsDefaultKey) {
    Target t;
    t.keys.ClearKey(tidemark::kCmdNewNote);
    t.keys.SetKey(tidemark::kCmdCreateShortcut, kCtrl, kVkQ);
    t.keys.SetKey(tidemark::kCmdPrint, kCtrl, kVkQ);
    PageUnderTest ui{t.keys};
    EXPECT_TRUE(ui.marked(tidemark::kCmdPrint));
    ui.select(tidemark::kCmdNewNote);
    EXPECT_TRUE(ui.controlsClear());

    ui.reset->click();
    EXPECT_EQ(ui.page.keys(), KeyTable());
    EXPECT_EQ(ui.keyText(tidemark::kCmdNewNote), "Ctrl+N");
    EXPECT_EQ(ui.keyText(tidemark::kCmdCreateShortcut), "");
    EXPECT_EQ(ui.keyText(tidemark::kCmdPrint), "Ctrl+P");
    EXPECT_FALSE(ui.marked(tidemark::kCmdPrint));
    // The chosen command stays chosen and shows its default key.
    EXPECT_TRUE(ui.controlsEnabled());
    EXPECT_TRUE(ui.ctrl->isChecked());
    EXPECT_EQ(ui.key->currentText(), "N");

    ui.page.apply(t.target);
    EXPECT_TRUE(t.target.keysChanged);
    EXPECT_EQ(t.keys, KeyTable());
    EXPECT_EQ(storedKeys(t.store), KeyTable());
}

TEST(KeyPage, AnAppliedKeyReachesTheMenuAndTheOldOneLeavesIt) {
    TestEnvironment env;
    StartupOutcome outcome = env.start();
    ASSERT_TRUE(outcome.application);
    Application& app = *outcome.application;
    QAction* print = app.actions().action(tidemark::kCmdPrint);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(print->text().endsWith("\tCtrl+P"));

    PageUnderTest ui{app.keyTable()};
    ui.select(tidemark::kCmdPrint);
    ui.chooseKey("Q");
    OptionsTarget target{app.settings(), app.keyTable(), env.store, env.fonts};
    ui.page.apply(target);
    ASSERT_TRUE(target.keysChanged);
    app.actions().applyShortcuts(app.keyTable());

    EXPECT_EQ(print->text(), "印刷(&P)...\tCtrl+Q");
    EXPECT_EQ(print->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)});
}

}  // namespace
