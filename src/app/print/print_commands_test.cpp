#include "app/print/print_commands.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "app/common/command_actions.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/pane_area.h"
#include "app/frame/pane_layout.h"
#include "app/frame/status_bar.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/command_ids.h"
#include "core/settings/settings.h"
#include "platform/pdf_probe_for_test.h"

using namespace tidemark;

namespace {

// What the print dialog offered when it came.
struct PrintDialogSeen {
    bool came = false;
    bool selectionOffered = false;
    bool selectionChosen = false;
    QString proposedFile;
};

class PrintCommandsTest : public StartedWindowTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(800, 600))); }

    ItemId addMemo(ItemId parent, const QString& title, const QString& body) {
        const ItemId id = AddMemo(app->note(), parent, fromQString(title).Str());
        static_cast<Memo*>(app->note().FindItem(id))->SetRawBody(fromQString(body));
        return id;
    }
    ItemId addGroup(ItemId parent, const QString& title) {
        return AddGroup(app->note(), parent, fromQString(title).Str());
    }
    // The lists show the note's items as they are now, none of them selected.
    void showItems() {
        window->lists()->noteReplaced();
        window->panes()->memoList()->clearSelection();
    }

    // Answers the print dialog: records what it offered, prints to `file`
    // (all pages unless `selection`), and accepts.
    DialogAnswerer::Answer printTo(const QString& file, PrintDialogSeen& seen,
                                   bool selection = true) {
        return [file, &seen, selection](QWidget* dialog) {
            auto* print = qobject_cast<QPrintDialog*>(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            auto* choice = dialog->findChild<QRadioButton*>(QStringLiteral("printSelection"));
            auto* all = dialog->findChild<QRadioButton*>(QStringLiteral("printAll"));
            if (!print || !name || !choice || !all) {
                static_cast<QDialog*>(dialog)->reject();
                return;
            }
            seen.came = true;
            seen.selectionOffered =
                print->testOption(QAbstractPrintDialog::PrintSelection) && !choice->isHidden();
            seen.selectionChosen = choice->isChecked();
            seen.proposedFile = name->text();
            if (!selection)
                all->setChecked(true);
            name->setText(file);
            print->accept();
        };
    }

    bool trigger(CommandId id) { return app->actions().dispatch(id); }

    static int count(const QString& text, const QString& part) {
        return static_cast<int>(text.count(part));
    }

    const QRegularExpression kPrintedAt{QStringLiteral("\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}")};
};

TEST_F(PrintCommandsTest, ANoteOfThreePagesGoesToTheProposedPdfWithFramedNumberedPages) {
    QString body;
    for (int line = 1; line <= 110; ++line)
        body += QStringLiteral("メモ%1 の内容\r\n").arg(line);
    addMemo(app->note().RootId(), QStringLiteral("週報"), body);
    showItems();
    app->setNotePath(env.path(QStringLiteral("報告書.tmk")));

    const QString out = env.path(QStringLiteral("報告書.pdf"));
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(out, seen));
    trigger(kCmdPrint);
    ASSERT_TRUE(seen.came);
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(seen.proposedFile, out);
    EXPECT_FALSE(seen.selectionOffered);

    ASSERT_EQ(pdfPageCount(out), 3);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const QString text = pdfText(out, page);
        EXPECT_EQ(count(text, QStringLiteral("報告書")), 1) << text.toStdString();
        EXPECT_TRUE(text.contains(kPrintedAt)) << text.toStdString();
        EXPECT_TRUE(
            text.contains(QRegularExpression(QStringLiteral("Tidemark +%1/3 ページ").arg(page))))
            << text.toStdString();
    }
    EXPECT_TRUE(pdfText(out, 1).contains(QStringLiteral("表題: 週報")));
    EXPECT_TRUE(pdfText(out, 3).contains(QStringLiteral("メモ110 の内容")));
    // Every line once, none lost at a page break.
    const QString all = pdfText(out);
    for (int line : {1, 45, 46, 47, 90, 91, 92, 110})
        EXPECT_EQ(count(all, QStringLiteral("メモ%1 の").arg(line)), 1) << line;
}

TEST_F(PrintCommandsTest, AnUnsavedNoteIsNamedNewNoteInTheHeader) {
    addMemo(app->note().RootId(), QStringLiteral("メモ"), QStringLiteral("本文"));
    showItems();
    PrintDialogSeen seen;
    DialogAnswerer answers;
    const QString out = env.path(QStringLiteral("unsaved.pdf"));
    answers.then(printTo(out, seen));
    trigger(kCmdPrint);
    ASSERT_TRUE(seen.came);
    EXPECT_TRUE(seen.proposedFile.endsWith(QStringLiteral("/新しいノート.pdf")))
        << seen.proposedFile.toStdString();
    EXPECT_TRUE(pdfText(out).contains(QStringLiteral("新しいノート")));
}

TEST_F(PrintCommandsTest, ASelectedGroupPrintsWithItsContentsAndAMemoSelectedInsideItOnce) {
    const ItemId root = app->note().RootId();
    addMemo(root, QStringLiteral("外側"), QStringLiteral("選ばれていない"));
    const ItemId box = addGroup(root, QStringLiteral("箱"));
    const ItemId inner = addMemo(box, QStringLiteral("在庫"), QStringLiteral("ひとつだけ"));
    addMemo(box, QStringLiteral("予備"), QStringLiteral("箱の中"));
    app->note().FindItem(box)->SetOpen(true);
    showItems();
    ASSERT_TRUE(window->panes()->memoList()->selectItems({box, inner}));

    const QString out = env.path(QStringLiteral("selection.pdf"));
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(out, seen));
    trigger(kCmdPrint);
    ASSERT_TRUE(seen.came);
    EXPECT_TRUE(seen.selectionOffered);
    EXPECT_TRUE(seen.selectionChosen);

    const QString text = pdfText(out);
    EXPECT_EQ(count(text, QStringLiteral("メモグループ: 箱")), 2) << text.toStdString();
    EXPECT_EQ(count(text, QStringLiteral("表題: 在庫")), 1) << text.toStdString();
    EXPECT_EQ(count(text, QStringLiteral("ひとつだけ")), 1);
    EXPECT_EQ(count(text, QStringLiteral("表題: 予備")), 1);
    EXPECT_EQ(count(text, QStringLiteral("外側")), 0);
    // The working chain is gone again: only the four items and the root are left.
    EXPECT_EQ(app->note().Items().Size(), 5u);
}

TEST_F(PrintCommandsTest, WithSelectionOfferedAllPagesStillPrintsTheWholeNote) {
    const ItemId root = app->note().RootId();
    const ItemId first = addMemo(root, QStringLiteral("初回"), QStringLiteral("a"));
    addMemo(root, QStringLiteral("次回"), QStringLiteral("b"));
    showItems();
    ASSERT_TRUE(window->panes()->memoList()->selectItems({first}));

    const QString out = env.path(QStringLiteral("all.pdf"));
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(out, seen, /*selection=*/false));
    trigger(kCmdPrint);
    ASSERT_TRUE(seen.selectionOffered);
    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("表題: 初回")));
    EXPECT_TRUE(text.contains(QStringLiteral("表題: 次回")));
}

TEST_F(PrintCommandsTest, InTheAlternateLayoutTheShownMemoIsTheSelection) {
    const ItemId root = app->note().RootId();
    const ItemId shown = addMemo(root, QStringLiteral("開いたメモ"), QStringLiteral("読める"));
    addMemo(root, QStringLiteral("隠れた"), QStringLiteral("読めない"));
    showItems();
    window->setLayoutMode(PaneLayout::kAlternate);
    app->windowContext().openInTextPane(shown);

    const QString out = env.path(QStringLiteral("alternate.pdf"));
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(out, seen));
    trigger(kCmdPrint);
    ASSERT_TRUE(seen.came);
    EXPECT_TRUE(seen.selectionOffered);
    EXPECT_TRUE(seen.selectionChosen);
    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("表題: 開いたメモ"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("隠れた")));
}

TEST_F(PrintCommandsTest, WithNothingSelectedSelectionIsNotOfferedAndCancelPrintsNothing) {
    addMemo(app->note().RootId(), QStringLiteral("メモ"), QStringLiteral("本文"));
    showItems();
    ASSERT_TRUE(window->panes()->memoList()->selectionModel()->selectedRows().isEmpty());

    bool offered = true;
    QString proposed;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* print = qobject_cast<QPrintDialog*>(dialog);
        auto* choice = dialog->findChild<QRadioButton*>(QStringLiteral("printSelection"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (print && choice && name) {
            offered =
                print->testOption(QAbstractPrintDialog::PrintSelection) || !choice->isHidden();
            proposed = name->text();
        }
        static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_TRUE(trigger(kCmdPrint));
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_FALSE(offered);
    EXPECT_TRUE(answers.messages.isEmpty());
    EXPECT_FALSE(proposed.isEmpty());
    EXPECT_FALSE(QFile::exists(proposed));
}

TEST_F(PrintCommandsTest, APrinterThatCannotStartIsReportedWithItsCodeAndTheNoteStays) {
    addMemo(app->note().RootId(), QStringLiteral("メモ"), QStringLiteral("本文"));
    showItems();
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(env.path(QStringLiteral("no-such-folder/out.pdf")), seen));
    answers.thenMessage(QMessageBox::Ok);
    trigger(kCmdPrint);
    EXPECT_TRUE(answers.allAnswered());
    ASSERT_EQ(answers.messages.size(), 1);
    EXPECT_EQ(answers.messages[0], QStringLiteral("印刷処理の起動に失敗しました。(3)"));
    EXPECT_EQ(ChildTitles(app->note(), app->note().RootId()),
              std::vector<std::string>{fromQString(QStringLiteral("メモ")).Str()});
    EXPECT_TRUE(window->panes()->memoList()->isEnabled());
}

TEST_F(PrintCommandsTest, CancelInTheAbortWindowStopsTheJobAndRemovesThePartialFile) {
    QString body;
    for (int line = 1; line <= 2000; ++line)
        body += QStringLiteral("行 %1\r\n").arg(line);
    addMemo(app->note().RootId(), QStringLiteral("長い"), body);
    showItems();

    const QString out = env.path(QStringLiteral("cancelled.pdf"));
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(out, seen));

    // While the job runs: the window is busy, a second job is refused, and
    // then the abort window's Cancel is pressed.
    bool sawJob = false;
    bool listEnabled = true;
    bool secondPrinted = true;
    bool commandRan = true;
    bool fileWhileRunning = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* abort = window->findChild<QDialog*>(QStringLiteral("printAbort"));
        if (sawJob || !abort || !abort->isVisible())
            return;
        sawJob = true;
        listEnabled = window->panes()->memoList()->isEnabled();
        fileWhileRunning = QFile::exists(out);
        secondPrinted = printText(app->windowContext(), QStringLiteral("別の仕事"));
        commandRan = app->actions().dispatch(kCmdPrint);
        auto* cancel = abort->findChild<QPushButton*>(QStringLiteral("cancel"));
        if (cancel)
            cancel->click();
    });
    watch.start();
    trigger(kCmdPrint);
    watch.stop();

    ASSERT_TRUE(sawJob);
    EXPECT_FALSE(listEnabled);
    EXPECT_TRUE(fileWhileRunning);
    EXPECT_FALSE(secondPrinted);
    EXPECT_FALSE(commandRan);
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(answers.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(window->panes()->memoList()->isEnabled());
    EXPECT_EQ(window->findChild<QDialog*>(QStringLiteral("printAbort")), nullptr);
}

TEST_F(PrintCommandsTest, AGivenTextIsPrintedWithoutTheSelectionChoice) {
    const ItemId memo = addMemo(app->note().RootId(), QStringLiteral("メモ"), QStringLiteral("x"));
    showItems();
    ASSERT_TRUE(window->panes()->memoList()->selectItems({memo}));

    const QString out = env.path(QStringLiteral("script.pdf"));
    PrintDialogSeen seen;
    DialogAnswerer answers;
    answers.then(printTo(out, seen));
    EXPECT_TRUE(printText(app->windowContext(), QStringLiteral("スクリプトから😀\r\n\t続きの段")));
    EXPECT_FALSE(seen.selectionOffered);
    // The character the note's encoding has no room for is named.
    const QString notice = uiFormat(12019, {"\U0001F600"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->status()->statusText() == notice; }))
        << window->status()->statusText().toStdString();
    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("スクリプトから"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("続きの段")));
    EXPECT_FALSE(text.contains(QStringLiteral("表題: メモ")));
}

TEST_F(PrintCommandsTest, PageSetupStoresTheMarginsAndKeepsThePaperForTheNextPrint) {
    addMemo(app->note().RootId(), QStringLiteral("メモ"), QStringLiteral("本文"));
    showItems();
    app->setNotePath(env.path(QStringLiteral("margins.tmk")));
    EXPECT_EQ(app->settings().PageMargins, (std::array<std::int32_t, 4>{2000, 2000, 2000, 2000}));

    double shownLeft = -1;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* unit = dialog->findChild<QComboBox*>(QStringLiteral("unitCombo"));
        auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        auto* left = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"));
        auto* top = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("topMargin"));
        auto* right = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("rightMargin"));
        auto* bottom = dialog->findChild<QDoubleSpinBox*>(QStringLiteral("bottomMargin"));
        if (!unit || !paper || !left || !top || !right || !bottom) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        unit->setCurrentIndex(unit->findData(QVariant::fromValue(QPageLayout::Millimeter)));
        shownLeft = left->value();
        int a5 = paper->findData(QVariant::fromValue(QPageSize::A5));
        if (a5 < 0)
            a5 = paper->findText(QStringLiteral("A5"), Qt::MatchStartsWith);
        paper->setCurrentIndex(a5);
        left->setValue(30);
        top->setValue(10);
        right->setValue(25);
        bottom->setValue(12.5);
        static_cast<QDialog*>(dialog)->accept();
    });
    trigger(kCmdPageSetup);
    ASSERT_TRUE(answers.allAnswered());
    EXPECT_EQ(shownLeft, 20.0);
    const std::array<std::int32_t, 4> chosen{3000, 1000, 2500, 1250};
    EXPECT_EQ(app->settings().PageMargins, chosen);
    Settings stored;
    ASSERT_TRUE(stored.Load({env.store, env.fonts, env.dragScroll, false}));
    EXPECT_EQ(stored.PageMargins, chosen);

    const QString out = env.path(QStringLiteral("margins.pdf"));
    PrintDialogSeen seen;
    answers.then(printTo(out, seen));
    trigger(kCmdPrint);
    ASSERT_TRUE(seen.came);
    ASSERT_EQ(pdfPageCount(out), 1);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {out});
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_TRUE(info.readAllStandardOutput().contains("(A5)"));
    // The header's name starts twice 2 points inside the left margin of
    // 30 mm (85.04 points).
    EXPECT_NEAR(pdfWordLeft(out, QStringLiteral("margins")), 85.04 + 4, 1.0);
}

}  // namespace
