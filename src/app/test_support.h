#pragma once

// Helpers of the program's tests: a whole environment of services for an
// Application (settings in memory, real files in a temporary folder,
// recorded process starts), note files written for a test, and the
// answering of the modal dialogs the code under test opens.

#include <gtest/gtest.h>

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frame/app_environment.h"
#include "app/frame/instance_bus.h"
#include "app/frame/pane_layout.h"
#include "app/frame/process_launcher.h"
#include "app/frame/startup.h"
#include "core/file/file_system.h"
#include "core/settings/drag_scroll_source.h"
#include "core/settings/memory_value_store.h"
#include "platform/instance_bus/instance_query_handler.h"
#include "platform/qt_font_service.h"
#include "platform/qt_settings_text_source.h"

class Application;
class MainWindow;
class QWidget;

// Runs the test binary as a helper process when its arguments ask for it
// ("--hold-note PATH": open the note file the way a window holds it, print
// "holding" and keep it until standard input closes). True when it did, with
// the process's exit code in `code`.
bool runTestHelperMode(int argc, char** argv, int& code);

class RecordingLauncher : public ProcessLauncher {
public:
    bool startProgram(const QStringList& arguments) override {
        started.push_back(arguments);
        return true;
    }
    std::vector<QStringList> started;
};

// Other windows that hold the notes listed in `held`; a resident process
// runs when `residentElsewhere`. Records what this process sends them.
class FakeInstanceBus : public InstanceBus {
public:
    void serve(InstanceQueryHandler* served) override { handler = served; }
    bool bringForwardHolder(const QString& path, tidemark::ItemId jumpTo) override {
        asked << path;
        lastJump = jumpTo;
        return held.contains(path);
    }
    void shareRecentNote(const QString& path) override { shared << path; }
    void broadcastSettingsChanged(bool apply) override {
        ++settingsBroadcasts;
        lastApply = apply;
    }
    void broadcastScriptsChanged() override { ++scriptBroadcasts; }
    void bringAllToFront() override { ++bringAllRequests; }
    void closeAll() override { ++closeAllRequests; }
    bool claimResident() override { return !residentElsewhere; }
    void defaultNoteChanged() override { ++defaultNoteChanges; }

    QStringList held;
    bool residentElsewhere = false;
    InstanceQueryHandler* handler = nullptr;
    QStringList asked;
    QStringList shared;
    tidemark::ItemId lastJump = 0;
    int settingsBroadcasts = 0;
    bool lastApply = false;
    int scriptBroadcasts = 0;
    int bringAllRequests = 0;
    int closeAllRequests = 0;
    int defaultNoteChanges = 0;
};

// Everything an Application needs, with the settings of a user who has run
// the program before (no first-run dialog) unless `firstRun`.
class TestEnvironment {
public:
    explicit TestEnvironment(bool firstRun = false);
    ~TestEnvironment();

    AppEnvironment& environment() { return *m_environment; }
    // A path in the test's own temporary folder.
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QString folder() const { return m_folder.path(); }

    // Starts up as the program would with these arguments (program path
    // first added here).
    StartupOutcome start(const QStringList& arguments = {});

    tidemark::MemoryValueStore store;
    // The machine-wide scope.
    tidemark::MemoryValueStore systemStore;
    std::unique_ptr<tidemark::FileSystem> files;
    RecordingLauncher launcher;
    FakeInstanceBus instances;
    QtFontService fonts;
    tidemark::DefaultDragScrollSource dragScroll;
    QtSettingsTextSource texts;

private:
    QTemporaryDir m_folder;
    QString m_startFolder;
    std::unique_ptr<AppEnvironment> m_environment;
};

// A note file at `path` whose root holds one memo per title (CP932 titles)
// and a body each; `layout` and `splitter` go into its view state.
void writeNoteFile(tidemark::FileSystem& files, const QString& path,
                   const std::vector<std::string>& memoTitles, int layout = 2, int splitter = 0);

// A second process (this test binary in its helper mode) that holds a note
// file open the way a window does, until destroyed.
class NoteHolderProcess {
public:
    explicit NoteHolderProcess(const QString& path);
    ~NoteHolderProcess();
    bool holding() const { return m_holding; }
    // What the helper said (for the failure message of a test).
    const QString& output() const { return m_output; }

private:
    QProcess m_process;
    QString m_output;
    bool m_holding = false;
};

// Gives a file dialog `path` (and the read-only box) and accepts it.
void answerFileDialog(QWidget* dialog, const QString& path, bool readOnly = false);

// Answers the modal dialogs that the code under test opens, one queued
// answer per dialog, in order. Each dialog's message text (for a message
// box) is recorded.
class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    using Answer = std::function<void(QWidget* dialog)>;

    DialogAnswerer();
    ~DialogAnswerer() override;

    void then(Answer answer) { m_answers.push_back(std::move(answer)); }
    // A message box is answered with `button`.
    void thenMessage(int button);
    // A file dialog is given `path` (and the read-only box) and accepted.
    void thenFile(const QString& path, bool readOnly = false);
    // Whatever comes is cancelled.
    void thenCancel();

    // The texts of the message boxes seen so far (CR LF as LF).
    QStringList messages;
    // Dialogs that came when no answer was left (they were cancelled).
    int unexpected = 0;
    bool allAnswered() const { return m_answers.empty(); }

private:
    void poll();

    std::deque<Answer> m_answers;
    QTimer m_timer;
};

// Tests on a started main window on a new note, shown and active.
class StartedWindowTest : public ::testing::Test {
protected:
    // Starts the program; the window in `layout` (the stored one when
    // unset) and `size`, active. Use with ASSERT_NO_FATAL_FAILURE.
    void startWindow(std::optional<PaneLayout> layout, QSize size);
    // Makes the window active again (after a dialog closed).
    void activateWindow();

    TestEnvironment env;
    StartupOutcome outcome;
    Application* app = nullptr;
    MainWindow* window = nullptr;
};
