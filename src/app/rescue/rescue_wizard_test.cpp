#include "app/rescue/rescue_wizard.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "app/frame/note_file_service.h"
#include "app/rescue/rescue_files_page.h"
#include "app/rescue/rescue_progress_page.h"
#include "app/test_support.h"
#include "core/common/cp932_codec.h"
#include "core/file/fault_injecting_file_system_for_test.h"
#include "core/file/rescue_records.h"

namespace {

using namespace tidemark;

QString fixture(const char* name) {
    return QStringLiteral(TIDEMARK_TEST_DATA "/notes/") + QString::fromLatin1(name);
}

// One block of the rescue's text file, from UTF-8 text.
std::string block(std::string_view header, const char* text) {
    return std::string(header) + Utf8ToCp932(text).bytes + "\r\n";
}
std::string title(const char* text) {
    return block(RescueText::kTitle, text);
}
std::string remark(const char* text) {
    return block(RescueText::kRemarks, text);
}
std::string body(const char* text) {
    return block(RescueText::kBody, text);
}

std::optional<std::string> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

QString message(std::uint32_t id) {
    return uiText(id).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
QString message(std::uint32_t id, const QString& name) {
    return uiFormat(id, {utf8(name)}).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

const QString kSkipped = QStringLiteral("<!> Skip encrypted data.\n");

class RescueWizardTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // Shows the wizard and goes on from the first page with the names as
    // typed.
    static void enter(RescueWizard& wizard, const QString& note, const QString& output) {
        wizard.show();
        wizard.filesPage()->noteFileField()->setText(note);
        wizard.filesPage()->outputFileField()->setText(output);
        wizard.next();
    }

    // Runs the event loop until the run has ended (or 10 s went by).
    static bool waitForEnd(RescueWizard& wizard) {
        if (!wizard.progressPage()->isComplete()) {
            QEventLoop loop;
            QObject::connect(&wizard.runner(), &RescueRunner::finished, &loop, &QEventLoop::quit);
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return wizard.progressPage()->isComplete();
    }

    // Whether no open handle holds the file any more.
    bool isFree(const QString& file) const {
        std::unique_ptr<FileHandle> handle;
        const FileOpenMode mode{FileAccess::kReadWrite, FileLock::kExclusive,
                                FileDisposition::kOpenExisting};
        return files->Open(pathToBytes(file), mode, handle) == 0;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<FileSystem> files = makePlatformFileSystem();
};

TEST_F(RescueWizardTest, TruncatedNoteGivesItsReadableItemsAndLogsWhereItStopped) {
    RescueWizard wizard(*files);
    const QString output = path("out.txt");
    DialogAnswerer answers;
    enter(wizard, fixture("truncated.tmk"), output);
    ASSERT_EQ(wizard.currentId(), RescueWizard::kProgressPage);
    EXPECT_FALSE(wizard.button(QWizard::FinishButton)->isEnabled());
    ASSERT_TRUE(waitForEnd(wizard));

    // The third record, a memo, is cut inside its base section.
    EXPECT_EQ(readFile(output), title("ノート本体") + title("仕事") + remark("毎日"));
    const QString log = wizard.runner().logText();
    EXPECT_EQ(log, uiText(10052) + QStringLiteral("\nI/O Error occurred: 38\nRescuing stopped.\n") +
                       uiText(10053) + u'\n');
    EXPECT_EQ(wizard.progressPage()->logField()->toPlainText().trimmed(), log.trimmed());
    EXPECT_EQ(wizard.findChild<QLineEdit*>(QStringLiteral("noteFileName"))->text(),
              fixture("truncated.tmk"));
    EXPECT_TRUE(answers.messages.isEmpty());

    EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isEnabled());
    EXPECT_EQ(wizard.button(QWizard::CancelButton)->text(), QStringLiteral("閉じる"));
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST_F(RescueWizardTest, NextWantsTwoNamesOfDifferentFiles) {
    const QString note = path("note.tmk");
    QFile::copy(fixture("japanese.tmk"), note);
    const struct {
        QString note;
        QString output;
        std::uint32_t refusal;  // 0: page 2 opens
    } cases[] = {
        {QString(), QString(), 20093},
        {QStringLiteral(" \t "), path("out.txt"), 20093},
        {note, QString(), 20094},
        {note, QStringLiteral("   "), 20094},
        // The same file under two spellings.
        {note, m_dir.path() + QStringLiteral("/./note.tmk"), 20099},
        {QStringLiteral("  ") + note + QStringLiteral(" "), path("out.txt"), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note.toStdString() + " | " + c.output.toStdString());
        RescueWizard wizard(*files);
        DialogAnswerer answers;
        answers.thenMessage(QMessageBox::Ok);
        enter(wizard, c.note, c.output);
        if (c.refusal != 0) {
            EXPECT_EQ(answers.messages, QStringList{message(c.refusal)});
            EXPECT_EQ(wizard.currentId(), RescueWizard::kFilesPage);
        } else {
            EXPECT_TRUE(answers.messages.isEmpty());
            EXPECT_EQ(wizard.currentId(), RescueWizard::kProgressPage);
            ASSERT_TRUE(waitForEnd(wizard));
            EXPECT_TRUE(readFile(path("out.txt")).has_value());
        }
        EXPECT_EQ(readFile(note), readFile(fixture("japanese.tmk")));
        wizard.reject();
    }
}

TEST_F(RescueWizardTest, FilesThatCannotBeOpenedAreLoggedAndNothingIsWritten) {
    const QString missingFolderOutput = path("missing/out.txt");
    const struct {
        QString note;
        QString output;
        QString logged;
    } cases[] = {
        {path("absent.tmk"), path("out1.txt"), message(20005, path("absent.tmk"))},
        {fixture("not-a-note.tmk"), path("out2.txt"), message(20010, fixture("not-a-note.tmk"))},
        {fixture("japanese.tmk"), missingFolderOutput, message(20006, missingFolderOutput)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note.toStdString());
        RescueWizard wizard(*files);
        DialogAnswerer answers;
        enter(wizard, c.note, c.output);
        ASSERT_TRUE(waitForEnd(wizard));
        EXPECT_EQ(wizard.runner().logText(), c.logged + u'\n');
        EXPECT_FALSE(QFile::exists(c.output));
        EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isEnabled());
        EXPECT_EQ(answers.messages, QStringList());
        EXPECT_EQ(answers.unexpected, 0);
    }
}

TEST_F(RescueWizardTest, FullDiskIsReportedAfterTheRunInsteadOfLookingFinished) {
    FaultInjectingFileSystem disk;
    QFile note(fixture("japanese.tmk"));
    ASSERT_TRUE(note.open(QIODevice::ReadOnly));
    const QByteArray bytes = note.readAll();
    disk.Put("in.tmk", MemoryBlock(bytes.begin(), bytes.end()));
    disk.SetFreeSpace(40);

    RescueWizard wizard(disk);
    DialogAnswerer answers;
    answers.thenMessage(QMessageBox::Ok);
    enter(wizard, QStringLiteral("in.tmk"), QStringLiteral("out.txt"));
    ASSERT_TRUE(waitForEnd(wizard));

    const QString full = message(20008, QStringLiteral("out.txt"));
    EXPECT_EQ(answers.messages, QStringList{full});
    EXPECT_TRUE(wizard.runner().logText().endsWith(uiText(10053) + u'\n' + full + u'\n'));
    EXPECT_NE(wizard.runner().outputError(), 0u);
    EXPECT_EQ(disk.Bytes("out.txt")->size(), 40u);
}

TEST_F(RescueWizardTest, LockedNoteOpensWithOnePasswordAfterRefusingBadOnes) {
    RescueWizard wizard(*files);
    const QString output = path("out.txt");
    DialogAnswerer answers;
    QString afterShort;
    QString afterWrong;
    bool focusAfterWrong = false;
    answers.then([&](QWidget* dialog) {
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("password"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        if (!field || !buttons) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        QAbstractButton* ok = buttons->button(QDialogButtonBox::Ok);
        field->setText(QStringLiteral("abc"));
        ok->click();
        afterShort = field->text();
        field->setText(QStringLiteral("not-the-one"));
        ok->click();
        afterWrong = field->text();
        QApplication::processEvents();
        focusAfterWrong = QApplication::focusWidget() == field && dialog->focusWidget() == field;
        field->setText(QStringLiteral("tidemark"));
        ok->click();
    });
    answers.thenMessage(QMessageBox::Ok);
    answers.thenMessage(QMessageBox::Ok);
    enter(wizard, fixture("locked.tmk"), output);
    ASSERT_TRUE(waitForEnd(wizard));

    EXPECT_EQ(answers.messages, (QStringList{message(20075), message(20080)}));
    EXPECT_EQ(afterShort, QStringLiteral("abc"));
    EXPECT_EQ(afterWrong, QString());
    EXPECT_TRUE(focusAfterWrong);  // ready for the next try
    // The second locked memo opened with the password given for the first.
    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(readFile(output), title("ノート本体") + title("金庫") + title("暗証番号") +
                                    body("1234") + title("口座") + body("普通 7654321") +
                                    title("plain") + body("visible"));
    EXPECT_FALSE(wizard.runner().logText().contains(kSkipped));
}

TEST_F(RescueWizardTest, CancellingThePasswordSkipsEachEncryptedMemoWhole) {
    RescueWizard wizard(*files);
    const QString output = path("out.txt");
    DialogAnswerer answers;
    answers.thenCancel();
    answers.thenCancel();
    enter(wizard, fixture("locked.tmk"), output);
    ASSERT_TRUE(waitForEnd(wizard));

    EXPECT_TRUE(answers.allAnswered());
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(readFile(output),
              title("ノート本体") + title("金庫") + title("plain") + body("visible"));
    EXPECT_EQ(wizard.runner().logText(),
              uiText(10052) + u'\n' + kSkipped + kSkipped + uiText(10053) + u'\n');
}

TEST_F(RescueWizardTest, CancelDuringARunStopsBetweenStepsAndClosesBothFiles) {
    const QString note = path("big.tmk");
    std::vector<std::string> titles;
    for (int i = 0; i < 3000; ++i)
        titles.push_back("memo " + std::to_string(i));
    writeNoteFile(*files, note, titles);

    // What a whole run writes.
    const QString whole = path("whole.txt");
    {
        RescueWizard wizard(*files);
        enter(wizard, note, whole);
        ASSERT_TRUE(waitForEnd(wizard));
    }
    const std::optional<std::string> all = readFile(whole);
    ASSERT_TRUE(all.has_value());

    RescueWizard wizard(*files);
    const QString output = path("out.txt");
    enter(wizard, note, output);
    // The window gets its turn between steps: the run is going, not done.
    for (int i = 0; i < 200; ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(wizard.runner().running());
    ASSERT_FALSE(wizard.progressPage()->isComplete());

    wizard.button(QWizard::CancelButton)->click();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_FALSE(wizard.runner().running());
    EXPECT_TRUE(isFree(output));
    EXPECT_TRUE(isFree(note));
    const std::optional<std::string> part = readFile(output);
    ASSERT_TRUE(part.has_value());
    EXPECT_FALSE(part->empty());
    EXPECT_LT(part->size(), all->size());
    EXPECT_EQ(all->substr(0, part->size()), *part);

    // Nothing more happens after the cancel.
    QTest::qWait(50);
    EXPECT_EQ(readFile(output), part);
}

TEST_F(RescueWizardTest, ClosingTheWizardDuringAPasswordQuestionEndsTheRun) {
    auto wizard = std::make_unique<RescueWizard>(*files);
    const QString output = path("out.txt");
    DialogAnswerer answers;
    answers.then([&](QWidget*) { wizard->reject(); });
    enter(*wizard, fixture("locked.tmk"), output);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.allAnswered() && isFree(output); }, 10000));

    EXPECT_FALSE(wizard->isVisible());
    EXPECT_FALSE(wizard->runner().running());
    // The second encrypted memo is not asked about.
    QTest::qWait(50);
    EXPECT_EQ(answers.unexpected, 0);
    EXPECT_EQ(readFile(output), title("ノート本体") + title("金庫"));
    wizard.reset();
}

TEST_F(RescueWizardTest, TypedNamesStopAtTheByteLimitButAChosenNameStaysWhole) {
    RescueWizard wizard(*files);
    wizard.show();
    QLineEdit* noteField = wizard.filesPage()->noteFileField();
    QTest::keyClicks(noteField, QString(300, u'a'));
    EXPECT_EQ(noteField->text(), QString(RescueFilesPage::kMaxPathBytes, u'a'));
    // Three bytes each as a path: 86 of them fit, the 87th would split.
    noteField->clear();
    noteField->insert(QString(100, QChar(0x3042)));  // as pasted
    EXPECT_EQ(noteField->text(), QString(86, QChar(0x3042)));

    // A file whose name is longer than anything typed.
    const QString folder = path(QString(200, u'f').toUtf8().constData());
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString chosen = folder + u'/' + QString(100, u'n') + QStringLiteral(".tmk");
    QFile::copy(fixture("japanese.tmk"), chosen);
    DialogAnswerer answers;
    answers.thenFile(chosen);
    wizard.findChild<QPushButton*>(QStringLiteral("chooseNoteFile"))->click();
    EXPECT_EQ(noteField->text(), chosen);
    EXPECT_EQ(wizard.filesPage()->outputFile(),
              folder + u'/' + QString(100, u'n') + QStringLiteral("の救出結果.txt"));
    // Typing into it does not cut it to the limit.
    noteField->setFocus();
    QTest::keyClick(noteField, Qt::Key_End);
    QTest::keyClick(noteField, Qt::Key_Backspace);
    QTest::keyClicks(noteField, QStringLiteral("k"));
    EXPECT_EQ(noteField->text(), chosen.chopped(1) + u'k');
}

}  // namespace
