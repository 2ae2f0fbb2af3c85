#include "app/rescue/rescue_command.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <string>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/rescue/rescue_files_page.h"
#include "app/rescue/rescue_wizard.h"
#include "app/test_support.h"
#include "core/common/cp932_codec.h"
#include "core/file/rescue_records.h"
#include "core/settings/command_ids.h"

namespace {

using namespace tidemark;

class RescueCommandTest : public StartedWindowTest {};

TEST_F(RescueCommandTest, ChosenNoteIsRescuedBesideItWhateverTheWindowShows) {
    ASSERT_NO_FATAL_FAILURE(startWindow(std::nullopt, QSize(800, 600)));
    // Nothing of the open note is involved: a read-only note does not grey it.
    app->setReadOnlyMode(true);
    app->updateActions();
    QAction* action = app->actions().action(kCmdRescueNote);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());

    const QString note = env.path(QStringLiteral("damaged.tmk"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TIDEMARK_TEST_DATA "/notes/truncated.tmk"), note));
    QString proposed;
    bool ended = false;
    bool overWindow = false;
    DialogAnswerer answers;
    answers.then([&](QWidget* dialog) {
        auto* wizard = qobject_cast<RescueWizard*>(dialog);
        if (!wizard) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        overWindow = wizard->parentWidget() == window && wizard->isModal();
        wizard->findChild<QPushButton*>(QStringLiteral("chooseNoteFile"))->click();
        proposed = wizard->filesPage()->outputFile();
        wizard->next();
        QAbstractButton* finish = wizard->button(QWizard::FinishButton);
        ended = QTest::qWaitFor([&] { return finish->isEnabled(); }, 10000);
        finish->click();
    });
    answers.thenFile(note);
    action->trigger();

    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_TRUE(overWindow);
    EXPECT_TRUE(ended);
    const QString output = env.path(QStringLiteral("damagedの救出結果.txt"));
    EXPECT_EQ(proposed, output);
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    std::string expected;
    for (const auto& [header, text] :
         {std::pair{RescueText::kTitle, "ノート本体"}, std::pair{RescueText::kTitle, "仕事"},
          std::pair{RescueText::kRemarks, "毎日"}}) {
        expected += std::string(header) + Utf8ToCp932(text).bytes + "\r\n";
    }
    EXPECT_EQ(written.readAll().toStdString(), expected);
    EXPECT_FALSE(app->isModified());
}

}  // namespace
