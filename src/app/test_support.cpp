#include "app/test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "app/common/qt_text.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_service.h"
#include "core/common/error_code.h"
#include "core/model/note.h"
#include "core/model/note_test_support.h"
#include "core/settings/settings.h"

bool runTestHelperMode(int argc, char** argv, int& code) {
    if (argc != 3 || std::strcmp(argv[1], "--hold-note") != 0)
        return false;
    std::unique_ptr<tidemark::FileSystem> files = makePlatformFileSystem();
    tidemark::Note note;
    try {
        note.Load(*files, argv[2], false);
    } catch (const tidemark::IoError& error) {
        std::printf("failed %u\n", error.Code());
        code = 1;
        return true;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    code = 0;
    return true;
}

TestEnvironment::TestEnvironment(bool firstRun)
    : files(makePlatformFileSystem()), m_startFolder(QDir::currentPath()) {
    if (!firstRun) {
        // A user who has run the program before and starts with a new note.
        tidemark::Settings settings;
        settings.StartupMode = 1;
        settings.Save(store);
    }
    m_environment.reset(new AppEnvironment{store, systemStore, *files, launcher, instances, fonts, dragScroll,
                                           texts, m_folder.filePath(QStringLiteral("tidemark.tmh")),
                                           m_folder.filePath(QStringLiteral("tmscript.bin"))});
}

TestEnvironment::~TestEnvironment() {
    // Opening a note makes its folder current; that folder goes with the test.
    QDir::setCurrent(m_startFolder);
}

StartupOutcome TestEnvironment::start(const QStringList& arguments) {
    std::vector<std::string> argv{"tidemark"};
    for (const QString& argument : arguments)
        argv.push_back(pathToBytes(argument));
    return startUp(CommandLine::fromArguments(argv), environment());
}

void writeNoteFile(tidemark::FileSystem& files, const QString& path,
                   const std::vector<std::string>& memoTitles, int layout, int splitter) {
    tidemark::Note note;
    note.MakeNew(tidemark::ByteString("root"));
    for (const std::string& title : memoTitles) {
        const tidemark::ItemId id = tidemark::AddMemo(note, note.RootId(), title);
        static_cast<tidemark::Memo*>(note.FindItem(id))
            ->SetBody(tidemark::ByteString("body of " + title));
    }
    note.View().layout = static_cast<std::uint32_t>(layout);
    note.View().splitter = splitter;
    note.Save(files, pathToBytes(path), true);
}

NoteHolderProcess::NoteHolderProcess(const QString& path) {
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setWorkingDirectory(QDir::tempPath());
    m_process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-note"), path});
    if (!m_process.waitForStarted(5000))
        return;
    while (m_process.waitForReadyRead(5000)) {
        m_output += QString::fromUtf8(m_process.readAll());
        if (m_output.contains(u'\n'))
            break;
    }
    m_holding = m_output.trimmed() == QStringLiteral("holding");
    if (!m_holding) {
        m_process.waitForFinished(5000);
        m_output += QString::fromUtf8(m_process.readAll());
        m_output += QStringLiteral(" [%1, state %2, exit %3]")
                        .arg(m_process.errorString())
                        .arg(int(m_process.state()))
                        .arg(m_process.exitCode());
    }
}

NoteHolderProcess::~NoteHolderProcess() {
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
}

DialogAnswerer::DialogAnswerer() {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::poll);
    m_timer.start();
}

DialogAnswerer::~DialogAnswerer() = default;

void DialogAnswerer::thenMessage(int button) {
    then([button](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        if (QAbstractButton* answer = box->button(QMessageBox::StandardButton(button))) {
            answer->click();
        } else {
            box->reject();
        }
    });
}

void answerFileDialog(QWidget* dialog, const QString& path, bool readOnly) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    if (!files) {
        static_cast<QDialog*>(dialog)->reject();
        return;
    }
    if (auto* box = files->findChild<QCheckBox*>(QStringLiteral("readOnlyCheckBox"))) {
        box->setChecked(readOnly);
    }
    // selectFile() only takes a name once the dialog has read the folder;
    // typing it into the name field works at once, as for a user.
    if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setText(path);
    } else {
        files->selectFile(path);
    }
    static_cast<QDialog*>(files)->accept();
}

void DialogAnswerer::thenFile(const QString& path, bool readOnly) {
    then([path, readOnly](QWidget* dialog) { answerFileDialog(dialog, path, readOnly); });
}

void DialogAnswerer::thenCancel() {
    then([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
}

void DialogAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->property("answered").toBool() || !modal->isVisible())
        return;
    modal->setProperty("answered", true);
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        messages << box->text();
    if (m_answers.empty()) {
        ++unexpected;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    // Answered from the event loop of the dialog itself, not from inside the poll.
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, modal, [answer, target] {
        if (target)
            answer(target);
    });
}

void StartedWindowTest::startWindow(std::optional<PaneLayout> layout, QSize size) {
    outcome = env.start();
    ASSERT_TRUE(outcome.runLoop);
    app = outcome.application.get();
    window = app->window();
    ASSERT_NE(window, nullptr);
    if (layout)
        window->setLayoutMode(*layout);
    window->resize(size);
    activateWindow();
}

void StartedWindowTest::activateWindow() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}
