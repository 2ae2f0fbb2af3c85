#include "app/options/options_sheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/common/command_actions.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/options/display_page.h"
#include "app/options/font_choice.h"
#include "app/options/key_page.h"
#include "app/options/number_up_down.h"
#include "app/options/print_page.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/list/memo_rows_model.h"
#include "app/test_support.h"
#include "app/text/memo_text_view.h"
#include "core/settings/settings.h"
#include "platform/qt_font_service.h"

namespace {

using namespace tidemark;

constexpr int kDpi = 96;

// A scalable family of this machine that the settings can store.
QString scalableFamily(const QString& besides = {}) {
    for (const QString& family : QFontDatabase::families()) {
        if (family != besides && QFontDatabase::isSmoothlyScalable(family) &&
            !QtFontService::storedFace(family).Empty())
            return family;
    }
    return {};
}

Settings settingsWithFonts() {
    Settings settings;
    settings.ListFont = {QtFontService::storedFace(scalableFamily()), -12};
    settings.EditFont = {QtFontService::storedFace(scalableFamily()), -16};
    settings.PrintFont = settings.ListFont;
    return settings;
}

// Shows `page` in a window of its own, checks it and answers the message
// that comes.
struct LeaveOutcome {
    bool left = false;
    QStringList messages;
    QWidget* focus = nullptr;
};

LeaveOutcome leave(OptionsPage& page) {
    page.show();
    page.activateWindow();
    QApplication::processEvents();
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    LeaveOutcome outcome;
    outcome.left = page.leave();
    outcome.messages = answers.messages;
    QApplication::processEvents();
    outcome.focus = page.focusWidget();  // the page's own, whether or not it is active
    return outcome;
}

struct BadNumber {
    const char* control;
    const char* typed;
    std::uint32_t message;
};

class DisplayPageRefuses : public ::testing::TestWithParam<BadNumber> {};

TEST_P(DisplayPageRefuses, ABadNumberWithItsMessageAndTheFocusOnTheBox) {
    const BadNumber& bad = GetParam();
    DisplayPage page(settingsWithFonts(), kDpi);
    QWidget* control = page.findChild<QWidget*>(QString::fromLatin1(bad.control));
    ASSERT_NE(control, nullptr);
    if (auto* box = qobject_cast<QComboBox*>(control))
        box->setCurrentText(QString::fromUtf8(bad.typed));
    else
        static_cast<NumberUpDown*>(control)->setTyped(QString::fromUtf8(bad.typed));

    const LeaveOutcome outcome = leave(page);
    EXPECT_FALSE(outcome.left);
    ASSERT_EQ(outcome.messages.size(), 1);
    EXPECT_EQ(outcome.messages[0], uiText(bad.message));
    ASSERT_NE(outcome.focus, nullptr);
    EXPECT_TRUE(outcome.focus == control || control->isAncestorOf(outcome.focus));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayPageRefuses,
    ::testing::Values(BadNumber{"listFontSize", "9.5", 20021},
                      BadNumber{"listFontSize", "-3", 20021}, BadNumber{"listFontSize", "0", 20021},
                      BadNumber{"textFontSize", "", 20021}, BadNumber{"tabWidth", "1", 20022},
                      BadNumber{"tabWidth", "33", 20022}, BadNumber{"tabWidth", "4a", 20022},
                      BadNumber{"tabWidth", "", 20022}));

TEST(DisplayPage, AFaceThatIsNotOnThisMachineMustBeChosen) {
    Settings settings = settingsWithFonts();
    settings.EditFont.Face = ByteString("NoSuchFaceAtAll");
    DisplayPage page(settings, kDpi);
    const LeaveOutcome outcome = leave(page);
    EXPECT_FALSE(outcome.left);
    ASSERT_EQ(outcome.messages.size(), 1);
    EXPECT_EQ(outcome.messages[0], QStringLiteral("フォントを正しく指定してください。"));
    EXPECT_EQ(outcome.focus, page.findChild<QComboBox*>(QStringLiteral("textFontName")));
}

TEST(DisplayPage, NumbersAreReadInTheirOwnBaseAndTheValuesAreStored) {
    Settings settings = settingsWithFonts();
    DisplayPage page(settings, kDpi);
    EXPECT_EQ(page.findChild<NumberUpDown*>(QStringLiteral("tabWidth"))->typed(),
              "8");  // 0 shows as 8
    EXPECT_EQ(page.findChild<QComboBox*>(QStringLiteral("listFontSize"))->currentText(), "9");
    page.findChild<NumberUpDown*>(QStringLiteral("tabWidth"))->setTyped(QStringLiteral("0x10"));
    page.findChild<QComboBox*>(QStringLiteral("listFontSize"))
        ->setCurrentText(QStringLiteral("014"));
    page.findChild<QCheckBox*>(QStringLiteral("bodyColumn"))->setChecked(false);
    page.findChild<QCheckBox*>(QStringLiteral("hoverPreview"))->setChecked(true);
    ASSERT_TRUE(leave(page).left);

    KeyTable keys;
    MemoryValueStore store;
    QtFontService fonts;
    OptionsTarget target{settings, keys, store, fonts};
    page.apply(target);
    EXPECT_EQ(settings.TabWidth, 16);
    EXPECT_EQ(settings.ListFont.Height, -16);  // 12 points (octal 014) at 96 dpi
    EXPECT_EQ(settings.EditFont.Height, -16);  // unchanged
    EXPECT_EQ(settings.HideBodyInList, 1);
    EXPECT_EQ(settings.HoverPreview, 1);
    EXPECT_TRUE(target.applyNeeded);
}

TEST(DisplayPage, NoChangeNeedsNoApplyElsewhere) {
    Settings settings = settingsWithFonts();
    settings.HoverPreview = 1;  // not shown at once: no apply needed even when changed
    DisplayPage page(settings, kDpi);
    page.findChild<QCheckBox*>(QStringLiteral("hoverPreview"))->setChecked(false);
    KeyTable keys;
    MemoryValueStore store;
    QtFontService fonts;
    OptionsTarget target{settings, keys, store, fonts};
    page.apply(target);
    EXPECT_EQ(settings.HoverPreview, 0);
    EXPECT_EQ(settings.TabWidth, 0);  // 8 shown and left: still "the default"
    EXPECT_FALSE(target.applyNeeded);
}

TEST(FontChoice, AScalableFaceOffersTheUsualSizes) {
    const QString family = scalableFamily();
    ASSERT_FALSE(family.isEmpty());
    EXPECT_EQ(FontChoice::sizesFor(family),
              (QList<int>{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}));
    FontChoice choice(QStringLiteral("t"), QStringLiteral("f"), kDpi);
    choice.setFont({QtFontService::storedFace(family), -12});
    EXPECT_EQ(choice.sizeBox()->count(), 16);
    EXPECT_EQ(choice.sample()->font().family(), family);
    EXPECT_EQ(choice.sample()->font().pixelSize(), 12);
}

TEST(PrintPage, StoresThePrintFont) {
    Settings settings = settingsWithFonts();
    PrintPage page(settings, kDpi);
    page.findChild<QComboBox*>(QStringLiteral("printFontSize"))
        ->setCurrentText(QStringLiteral("10"));
    ASSERT_TRUE(leave(page).left);
    KeyTable keys;
    MemoryValueStore store;
    QtFontService fonts;
    OptionsTarget target{settings, keys, store, fonts};
    page.apply(target);
    EXPECT_EQ(settings.PrintFont.Height, -13);
    EXPECT_EQ(settings.ListFont.Height, -12);
}

class OptionsSheetTest : public StartedWindowTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(700, 500)));
        // The window's own settings, with fonts of this machine.
        const Settings fonts = settingsWithFonts();
        app->settings().ListFont = fonts.ListFont;
        app->settings().EditFont = fonts.EditFont;
        app->settings().PrintFont = fonts.PrintFont;
    }
};

TEST_F(OptionsSheetTest, TheEightPagesComeInTheirOrderEachWithItsHelpTopic) {
    QStringList titles;
    QList<int> topics;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* sheet = qobject_cast<OptionsSheet*>(dialog);
        for (int i = 0; i < sheet->pageCount(); ++i) {
            titles << sheet->tabs()->tabText(i);
            sheet->tabs()->setCurrentIndex(i);
            sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
        }
        sheet->reject();
    });
    app->actions().dispatch(kCmdOptions);
    ASSERT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(titles,
              (QStringList{"表示", "キー", "ファイル", "メモ", "入力", "出力", "印刷", "ツール"}));
    QList<QStringList> expected;
    for (int topic : {69, 277, 70, 71, 72, 73, 74, 75})
        expected << QStringList{QStringLiteral("/h"), QString::number(topic)};
    EXPECT_EQ(QList<QStringList>(env.launcher.started.begin(), env.launcher.started.end()),
              expected);
}

TEST_F(OptionsSheetTest, ARefusedPageKeepsTheSheetOnIt) {
    OptionsSheet sheet;
    auto* display = new DisplayPage(app->settings(), kDpi);
    sheet.addPage(display);
    sheet.addPage(new PrintPage(app->settings(), kDpi));
    sheet.show();
    display->findChild<NumberUpDown*>(QStringLiteral("tabWidth"))->setTyped(QStringLiteral("40"));
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    sheet.tabs()->setCurrentIndex(1);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 0);
    EXPECT_EQ(answers.messages, QStringList{uiText(20022)});

    display->findChild<NumberUpDown*>(QStringLiteral("tabWidth"))->setTyped(QStringLiteral("4"));
    sheet.tabs()->setCurrentIndex(1);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
}

TEST_F(OptionsSheetTest, OkShowsTheChangesInTheWindowAtOnceAndSavesThem) {
    const QString other = scalableFamily(scalableFamily());
    ASSERT_FALSE(other.isEmpty());
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* sheet = qobject_cast<OptionsSheet*>(dialog);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("オプション"));
        sheet->findChild<QCheckBox*>(QStringLiteral("gridLines"))->setChecked(true);
        sheet->findChild<QCheckBox*>(QStringLiteral("bodyColumn"))->setChecked(false);
        auto* name = sheet->findChild<QComboBox*>(QStringLiteral("textFontName"));
        name->setCurrentIndex(name->findText(other));
        sheet->findChild<QComboBox*>(QStringLiteral("textFontSize"))->setCurrentText("15");
        sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(app->actions().dispatch(kCmdOptions));
    EXPECT_TRUE(answers.allAnswered());

    MemoList* list = window->panes()->memoList();
    EXPECT_TRUE(list->hasGridLines());
    EXPECT_FALSE(list->rowsModel()->showsBody());
    const QFont text = window->panes()->memoText()->font();
    EXPECT_EQ(text.family(), other);
    EXPECT_EQ(text.pixelSize(), 20);  // 15 points at 96 dpi
    // Saved, and the other windows told to show the changes.
    Settings stored;
    stored.Load({env.store, env.fonts, env.dragScroll, false});
    EXPECT_EQ(stored.ShowGridLines, 1);
    EXPECT_EQ(stored.HideBodyInList, 1);
    EXPECT_EQ(env.instances.settingsBroadcasts, 1);
    EXPECT_TRUE(env.instances.lastApply);
}

TEST_F(OptionsSheetTest, CancelLeavesTheWindowAndTheStoreAsTheyWere) {
    const Settings before = app->settings();
    const auto storedBefore = env.store.QueryBinary("tmk.conf1.0");
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("gridLines"))->setChecked(true);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    app->actions().dispatch(kCmdOptions);
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(app->settings(), before);
    EXPECT_FALSE(window->panes()->memoList()->hasGridLines());
    EXPECT_EQ(env.store.QueryBinary("tmk.conf1.0"), storedBefore);
    EXPECT_EQ(env.instances.settingsBroadcasts, 0);
}

TEST_F(OptionsSheetTest, OkAfterOnlyTheStartupOptionTellsOthersWithoutApplying) {
    DialogAnswerer answers;
    answers.then([](QWidget* dialog) {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    app->actions().dispatch(kCmdOptions);
    EXPECT_EQ(env.instances.settingsBroadcasts, 1);
    EXPECT_FALSE(env.instances.lastApply);
}

// In the open sheet: gives `command` the key Ctrl+`key` and presses OK.
void giveCtrlKey(QWidget* sheet, CommandId command, const QString& key) {
    auto* list = sheet->findChild<QTreeWidget*>(QStringLiteral("keyList"));
    ASSERT_NE(list, nullptr);
    QTreeWidgetItem* row = nullptr;
    for (QTreeWidgetItemIterator it(list); *it; ++it) {
        if ((*it)->data(0, KeyPage::kCommandRole).toInt() == int(command))
            row = *it;
    }
    ASSERT_NE(row, nullptr);
    list->setCurrentItem(row);
    auto* keyBox = sheet->findChild<QComboBox*>(QStringLiteral("keyBox"));
    keyBox->setCurrentIndex(keyBox->findText(key));
    sheet->findChild<QCheckBox*>(QStringLiteral("ctrlBox"))->setChecked(true);
    sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

TEST_F(OptionsSheetTest, AChangedKeyRunsItsCommandAndTheOldKeyNoLonger) {
    QStatusBar* bar = window->statusBar();
    ASSERT_TRUE(bar->isVisibleTo(window));
    DialogAnswerer answers;
    answers.then([](QWidget* sheet) { giveCtrlKey(sheet, kCmdToggleStatusBar, "Q"); });
    app->actions().dispatch(kCmdOptions);
    ASSERT_TRUE(answers.allAnswered());
    activateWindow();
    EXPECT_TRUE(app->actions().action(kCmdToggleStatusBar)->text().endsWith("\tCtrl+Q"));
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(bar->isVisibleTo(window));

    answers.then([](QWidget* sheet) { giveCtrlKey(sheet, kCmdToggleStatusBar, "W"); });
    app->actions().dispatch(kCmdOptions);
    ASSERT_TRUE(answers.allAnswered());
    activateWindow();
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(bar->isVisibleTo(window));  // the old key does nothing now
    QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(bar->isVisibleTo(window));
    EXPECT_TRUE(app->actions().action(kCmdToggleStatusBar)->text().endsWith("\tCtrl+W"));
    EXPECT_FALSE(app->actions().action(kCmdToggleStatusBar)->text().contains("Ctrl+Q"));
}

}  // namespace
