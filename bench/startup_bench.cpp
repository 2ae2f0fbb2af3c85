// Time from the start of a process to the main window shown with a large
// note in it, as the program does it: a fresh process per run, a user
// profile that has seen the program before, the note given on the command
// line.
//
//   startup_bench [--items N] [--runs R] [--profile DIR]
//
// N items (default 100,000) are made once by make_sample_note. Each run
// starts this program again as a child that builds the QApplication and runs
// the program's start-up; the child reports, in milliseconds since the parent
// started it, when its main() began, when the QApplication stood, when the
// start-up returned (note loaded, window shown) and when the window was
// exposed. The platform is the display's when there is one, else offscreen.
// --profile keeps the user profile in DIR (made like a returning user's if
// it has no settings) instead of a temporary folder.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame/app_environment.h"
#include "app/frame/app_setup.h"
#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/frame/startup.h"
#include "core/model/note.h"
#include "core/settings/settings.h"
#include "platform/qsettings_value_store.h"

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double msSince(std::int64_t startNs) {
    return double(nowNs() - startNs) / 1e6;
}

// The child: one start-up, timed against the parent's clock reading.
int runChild(int argc, char** argv, std::int64_t startNs, const std::string& note) {
    const double atMain = msSince(startNs);
    QApplication app(argc, argv);
    setUpApplicationObject();
    const double atApplication = msSince(startNs);

    DesktopEnvironment desktop;
    StartupOutcome outcome =
        startUp(CommandLine::fromArguments({"tidemark", note}), desktop.environment());
    const double atStarted = msSince(startNs);
    if (!outcome.runLoop || !outcome.application || !outcome.application->window()) {
        std::fprintf(stderr, "start-up ended with code %d\n", outcome.exitCode);
        return 1;
    }
    MainWindow* window = outcome.application->window();
    double atExposed = -1;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window->windowHandle() && window->windowHandle()->isExposed()) {
            atExposed = msSince(startNs);
            QApplication::quit();
        } else if (waited.elapsed() > 30000) {
            QApplication::quit();
        }
    });
    poll.start(1);
    QApplication::exec();
    if (atExposed < 0) {
        std::fprintf(stderr, "the window was never exposed\n");
        return 1;
    }
    std::printf("%.1f %.1f %.1f %.1f %u %s\n", atMain, atApplication, atStarted, atExposed,
                outcome.application->note().ItemCount(),
                window->windowTitle().toUtf8().constData());
    // Closing would ask nothing (the note is unchanged) but is not timed.
    std::fflush(stdout);
    std::_Exit(0);
}

// A profile whose settings say the program ran before and starts with a new note.
bool prepareProfile(const QString& folder) {
    QDir().mkpath(folder + QStringLiteral("/config"));
    qputenv("HOME", folder.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (folder + QStringLiteral("/config")).toLocal8Bit());
    QSettingsValueStore store;
    if (tidemark::Settings::Exists(store))
        return true;
    tidemark::Settings settings;
    settings.StartupMode = 1;
    return settings.Save(store);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv, std::atoll(argv[2]), argv[3]);
    }

    int items = 100000;
    int runs = 5;
    QString profileFolder;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--items") == 0 && hasValue) {
            items = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--runs") == 0 && hasValue) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--profile") == 0 && hasValue) {
            profileFolder = QDir(QString::fromLocal8Bit(argv[++i])).absolutePath();
        } else {
            std::fprintf(stderr, "usage: startup_bench [--items N] [--runs R] [--profile DIR]\n");
            return 2;
        }
    }

    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    if (profileFolder.isEmpty())
        profileFolder = temporary.path();
    if (!prepareProfile(profileFolder)) {
        std::fprintf(stderr, "cannot write the settings under %s\n", qPrintable(profileFolder));
        return 1;
    }

    const QString note =
        QDir(temporary.path()).filePath(QStringLiteral("startup-%1.tmk").arg(items));
    QProcess maker;
    maker.start(QStringLiteral(MAKE_SAMPLE_NOTE),
                {QStringLiteral("--items"), QString::number(items), note});
    if (!maker.waitForFinished(600000) || maker.exitCode() != 0) {
        std::fprintf(stderr, "make_sample_note failed: %s\n",
                     maker.readAllStandardError().constData());
        return 1;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    std::printf("start-up with a %d-item note (%d runs, platform %s)\n", items, runs,
                qPrintable(environment.value(QStringLiteral("QT_QPA_PLATFORM"),
                                             QStringLiteral("the display's"))));
    std::printf("%-6s %10s %12s %12s %12s\n", "run", "main()", "QApplication", "start-up",
                "exposed");
    std::vector<double> exposed;
    for (int run = 1; run <= runs; ++run) {
        QProcess child;
        child.setProcessEnvironment(environment);
        const std::int64_t start = nowNs();
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QString::number(start), note});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            std::fprintf(stderr, "run %d failed: %s\n", run,
                         child.readAllStandardError().constData());
            return 1;
        }
        double atMain = 0, atApplication = 0, atStarted = 0, atExposed = 0;
        unsigned count = 0;
        const QByteArray line = child.readAllStandardOutput();
        if (std::sscanf(line.constData(), "%lf %lf %lf %lf %u", &atMain, &atApplication, &atStarted,
                        &atExposed, &count) != 5 ||
            count < unsigned(items)) {
            std::fprintf(stderr, "run %d reported: %s\n", run, line.constData());
            return 1;
        }
        exposed.push_back(atExposed);
        std::printf("%-6d %8.1f ms %9.1f ms %9.1f ms %9.1f ms\n", run, atMain, atApplication,
                    atStarted, atExposed);
    }
    std::printf("window shown: median %.1f ms, best %.1f ms, worst %.1f ms\n", median(exposed),
                *std::min_element(exposed.begin(), exposed.end()),
                *std::max_element(exposed.begin(), exposed.end()));
    return 0;
}
