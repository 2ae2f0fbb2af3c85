// Several real processes of the program on one instance bus: window
// processes started from the built program (offscreen), and this test
// process as one more window of the same user, with the real settings store
// and the real bus. The windows log what they did with each request
// ("tidemark.instance" debug lines), which is what these tests read.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <memory>

#include "app/common/command_actions.h"
#include "app/frame/app_environment.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/note_file_service.h"
#include "app/frame/resident/default_note_commands.h"
#include "app/test_support.h"
#include "core/file/file_system.h"
#include "core/settings/script_store_persistence.h"
#include "core/settings/settings.h"
#include "platform/qsettings_value_store.h"
#include "platform/qt_font_service.h"

namespace {

using namespace std::chrono_literals;

constexpr int kWaitMs = 20000;  // for anything another process has to do

// The runtime folder every process of this test binary's user shares.
QString busFolder() {
    return QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(QStringLiteral("tidemark"));
}

// One process of the program, its output gathered as it comes.
class WindowProcess {
public:
    explicit WindowProcess(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // This binary's settings live where Qt's test mode puts them; the
        // program finds the same file through XDG_CONFIG_HOME.
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("tidemark.instance.debug=true"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(TIDEMARK_PROGRAM), arguments);
    }
    ~WindowProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString output() {
        m_output += QString::fromUtf8(m_process.readAll());
        return m_output;
    }
    // Waits until the output holds `text`; false when the time ran out or
    // the process ended first.
    bool waitFor(const QString& text) {
        QDeadlineTimer deadline(kWaitMs);
        while (!output().contains(text)) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return output().contains(text);
            QTest::qWait(20);
        }
        return true;
    }
    bool waitForReady(const QString& notePath = {}) {
        return waitFor(QStringLiteral("ready: ") + notePath);
    }
    // The exit code, or nothing when it did not end in time.
    std::optional<int> waitForExit() {
        QDeadlineTimer deadline(kWaitMs);
        while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(20);
        output();
        if (m_process.state() != QProcess::NotRunning)
            return std::nullopt;
        return static_cast<std::int8_t>(m_process.exitCode());  // -3 arrives as 253
    }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 pid() const { return m_process.processId(); }
    void killHard() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
    QString m_output;
};

// This test process as one more window: the real services of the desktop,
// so that it saves into the same store and talks on the same bus.
class CallingWindow {
public:
    CallingWindow() : m_app(m_desktop.environment(), {}) {}
    Application& app() { return m_app; }
    bool showWindow() {
        if (!m_app.createMainWindow() || !m_app.createInitialNote())
            return false;
        m_app.window()->showForNote();
        return true;
    }

private:
    DesktopEnvironment m_desktop;
    Application m_app;
};

class WindowProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        // A user who has run the program before and starts with a new note.
        QSettingsValueStore store;
        tidemark::Settings settings;
        settings.StartupMode = 1;
        ASSERT_TRUE(settings.Save(store));
        files = makePlatformFileSystem();
        // The default note and registered scripts of an earlier test are forgotten.
        store.DeleteValue("default");
        store.DeleteValue("tmk.script1.0");
    }

    QString note(const QString& name, const std::vector<std::string>& titles = {"a"}) {
        const QString path = QFileInfo(folder.filePath(name)).absoluteFilePath();
        writeNoteFile(*files, path, titles);
        return path;
    }

    QTemporaryDir folder;
    std::unique_ptr<tidemark::FileSystem> files;
};

TEST_F(WindowProcesses, ASecondOpenOfTheSameNoteBringsTheFirstWindowForward) {
    const QString path = note(QStringLiteral("shared.tmk"));
    WindowProcess first({path});
    ASSERT_TRUE(first.waitForReady(path)) << first.output().toStdString();

    WindowProcess second({path});
    EXPECT_EQ(second.waitForExit(), 0) << second.output().toStdString();
    EXPECT_FALSE(second.output().contains(QStringLiteral("ready:")));
    EXPECT_TRUE(first.waitFor(QStringLiteral("holds ") + path + QStringLiteral(" showing 0")))
        << first.output().toStdString();
    EXPECT_TRUE(first.running());
}

TEST_F(WindowProcesses, ASecondHelpStartShowsTheTopicInTheFirstHelpWindowAndEndsWithMinusSix) {
    WindowProcess first({QStringLiteral("/h"), QStringLiteral("12")});
    ASSERT_TRUE(first.waitForReady()) << first.output().toStdString();
    ASSERT_TRUE(first.output().contains(QStringLiteral(".tmh"))) << first.output().toStdString();

    WindowProcess second({QStringLiteral("/h"), QStringLiteral("77")});
    EXPECT_EQ(second.waitForExit(), -6) << second.output().toStdString();
    EXPECT_TRUE(first.waitFor(QStringLiteral(".tmh showing 77"))) << first.output().toStdString();
}

TEST_F(WindowProcesses, ANoteOpenedInOneWindowJoinsTheRecentListOfAnother) {
    WindowProcess empty({});
    ASSERT_TRUE(empty.waitForReady()) << empty.output().toStdString();

    const QString path = note(QStringLiteral("recent.tmk"));
    WindowProcess opener({path});
    ASSERT_TRUE(opener.waitForReady(path)) << opener.output().toStdString();
    EXPECT_TRUE(empty.waitFor(QStringLiteral("recent notes:")));
    const QString said = empty.output();
    const QString line = said.mid(said.lastIndexOf(QStringLiteral("recent notes:")));
    EXPECT_TRUE(line.section(u'\n', 0, 0).endsWith(path)) << said.toStdString();
}

TEST_F(WindowProcesses, SavedSettingsWithTheApplyFlagReachAnotherWindowsFontsAndLayout) {
    const QString path = note(QStringLiteral("look.tmk"));
    WindowProcess other({path});
    ASSERT_TRUE(other.waitForReady(path)) << other.output().toStdString();

    CallingWindow caller;
    // A face of this machine other than the one the window shows now.
    const QStringList families = QFontDatabase::families();
    QString family;
    for (const QString& candidate : families) {
        if (QFontDatabase::isSmoothlyScalable(candidate) &&
            !other.output().contains(QStringLiteral("list font ") + candidate)) {
            family = candidate;
            break;
        }
    }
    ASSERT_FALSE(family.isEmpty());
    QtFontService fonts;
    tidemark::Settings& settings = caller.app().settings();
    settings.ListFont = fonts.fromQFont(QFont(family, 15));
    settings.EditFont = fonts.fromQFont(QFont(family, 13));
    settings.ShowStatusBar = 0;
    settings.HideBodyInList = 1;
    caller.app().saveSettings(true);

    ASSERT_TRUE(other.waitFor(QStringLiteral("settings applied:"))) << other.output().toStdString();
    const QString said = other.output();
    const QString line =
        said.mid(said.lastIndexOf(QStringLiteral("settings applied:"))).section(u'\n', 0, 0);
    // Stored as a height in pixels, as the settings keep fonts.
    const auto stored = [](const tidemark::FontSetting& font) {
        const QFont shown = QtFontService::toQFont(font);
        return shown.family() + QStringLiteral(" %1px").arg(shown.pixelSize());
    };
    EXPECT_TRUE(line.contains(QStringLiteral("list font ") + stored(settings.ListFont)))
        << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("text font ") + stored(settings.EditFont)))
        << line.toStdString();
    EXPECT_NE(stored(settings.ListFont), stored(settings.EditFont));
    EXPECT_TRUE(line.contains(QStringLiteral("status bar 0"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("body column 0"))) << line.toStdString();
}

TEST_F(WindowProcesses, OkInTheOptionsOfOneWindowChangesAnotherRunningWindow) {
    const QString path = note(QStringLiteral("options.tmk"));
    WindowProcess other({path});
    ASSERT_TRUE(other.waitForReady(path)) << other.output().toStdString();
    CallingWindow caller;
    ASSERT_TRUE(caller.showWindow());
    DialogAnswerer answers;
    answers.then([](QWidget* sheet) {
        sheet->findChild<QCheckBox*>(QStringLiteral("gridLines"))->setChecked(true);
        sheet->findChild<QCheckBox*>(QStringLiteral("bodyColumn"))->setChecked(false);
        sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(caller.app().actions().dispatch(tidemark::kCmdOptions));
    ASSERT_TRUE(answers.allAnswered());
    ASSERT_TRUE(other.waitFor(QStringLiteral("settings applied:"))) << other.output().toStdString();
    const QString said = other.output();
    const QString line =
        said.mid(said.lastIndexOf(QStringLiteral("settings applied:"))).section(u'\n', 0, 0);
    EXPECT_TRUE(line.contains(QStringLiteral("body column 0"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("grid lines 1"))) << said.toStdString();
}

TEST_F(WindowProcesses, SavedSettingsWithoutTheApplyFlagAreOnlyRead) {
    const QString path = note(QStringLiteral("quiet.tmk"));
    WindowProcess other({path});
    ASSERT_TRUE(other.waitForReady(path)) << other.output().toStdString();
    CallingWindow caller;
    caller.app().settings().StartupMode = 2;
    caller.app().saveSettings(false);
    EXPECT_TRUE(other.waitFor(QStringLiteral("settings read, apply false")))
        << other.output().toStdString();
    EXPECT_FALSE(other.output().contains(QStringLiteral("settings applied:")));
}

TEST_F(WindowProcesses, SavedScriptsAreReadAgainByAnotherWindow) {
    const QString path = note(QStringLiteral("scripts.tmk"));
    WindowProcess other({path});
    ASSERT_TRUE(other.waitForReady(path)) << other.output().toStdString();
    CallingWindow caller;
    tidemark::ScriptStore scripts;
    scripts.Append({tidemark::ByteString("one"), tidemark::ByteString("one.js"), 1});
    scripts.Append({tidemark::ByteString("two"), tidemark::ByteString("two.js"), 0});
    QSettingsValueStore store;
    ASSERT_TRUE(tidemark::SaveScriptStore(store, scripts, caller.app()));
    EXPECT_TRUE(other.waitFor(QStringLiteral("registered scripts read: 2")))
        << other.output().toStdString();
}

TEST_F(WindowProcesses, CloseAllClosesTheOtherWindowsAndNotTheCaller) {
    const QString one = note(QStringLiteral("one.tmk"));
    const QString two = note(QStringLiteral("two.tmk"));
    WindowProcess first({one});
    WindowProcess second({two});
    ASSERT_TRUE(first.waitForReady(one)) << first.output().toStdString();
    ASSERT_TRUE(second.waitForReady(two)) << second.output().toStdString();

    CallingWindow caller;
    ASSERT_TRUE(caller.showWindow());
    ASSERT_TRUE(caller.app().actions().dispatch(tidemark::kCmdCloseAll));
    EXPECT_EQ(first.waitForExit(), 0) << first.output().toStdString();
    EXPECT_EQ(second.waitForExit(), 0) << second.output().toStdString();
    QTest::qWait(50);
    EXPECT_TRUE(caller.app().window()->isVisible());
}

TEST_F(WindowProcesses, BringAllToFrontReachesEveryOtherWindow) {
    const QString one = note(QStringLiteral("front.tmk"));
    WindowProcess first({one});
    ASSERT_TRUE(first.waitForReady(one)) << first.output().toStdString();
    CallingWindow caller;
    ASSERT_TRUE(caller.app().actions().dispatch(tidemark::kCmdBringAllToFront));
    EXPECT_TRUE(first.waitFor(QStringLiteral("to the front"))) << first.output().toStdString();
}

TEST_F(WindowProcesses, ASecondResidentStartEndsWithMinusThreeAndTheFirstStays) {
    WindowProcess resident({QStringLiteral("/i")});
    ASSERT_TRUE(resident.waitFor(QStringLiteral("ready: resident")))
        << resident.output().toStdString();

    WindowProcess second({QStringLiteral("-Embedding")});
    EXPECT_EQ(second.waitForExit(), -3) << second.output().toStdString();
    EXPECT_TRUE(resident.running());

    // Close all leaves the resident process alone, and it hears of a new
    // default note chosen in a window.
    CallingWindow caller;
    caller.app().actions().dispatch(tidemark::kCmdCloseAll);
    const QString path = note(QStringLiteral("default.tmk"));
    caller.app().defaultNote().set(path);
    EXPECT_TRUE(resident.waitFor(QStringLiteral("default note: ") + path))
        << resident.output().toStdString();
    EXPECT_TRUE(resident.running());
}

TEST_F(WindowProcesses, TheStaleSocketOfAKilledWindowIsRemovedAndBlocksNobody) {
    const QString path = note(QStringLiteral("stale.tmk"));
    auto killed = std::make_unique<WindowProcess>(QStringList{path});
    ASSERT_TRUE(killed->waitForReady(path)) << killed->output().toStdString();
    const QString socket =
        QDir(busFolder()).filePath(QStringLiteral("window-%1").arg(killed->pid()));
    ASSERT_TRUE(QFileInfo::exists(socket));
    killed->killHard();
    ASSERT_TRUE(QFileInfo::exists(socket));  // nobody removed it

    WindowProcess next({path});
    ASSERT_TRUE(next.waitForReady(path)) << next.output().toStdString();
    EXPECT_FALSE(QFileInfo::exists(socket));
}

}  // namespace
