// Times a script run in a started main window (offscreen unless a display is
// set): a script that makes 10,000 memos with titles and 1 KB bodies under
// the root and then reads every title back. Prints the time from the command
// to the script's first statement, the script's own time, and the whole run
// from the command to the window showing the new memos.
//
//   script_bench [--memos N] [--runs R]
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/frame/application.h"
#include "app/frame/main_window.h"
#include "app/script/script_commands.h"
#include "app/test_support.h"
#include "core/model/item.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

// The script: its first statement takes the time; it writes "first last count".
QString benchScript(int memos, const QString& out) {
    return QStringLiteral(R"(var first = Date.now();
var note = TMScript.GetNote();
var root = note.GetRootItem();
var body = new Array(1025).join("x");
for (var i = 0; i < %1; ++i) {
    var memo = root.NewItem(note.MEMO, note.CHILD);
    memo.Title = "memo " + i;
    memo.Body = body;
}
var count = 0;
for (var item = root.GetItem(note.CHILD); item != null; item = item.GetItem(note.NEXT)) {
    if (item.Title.length > 0)
        ++count;
}
TMScript.FileObject("%2").Write(first + " " + Date.now() + " " + count);
)")
        .arg(memos)
        .arg(out);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int memos = 10000;
    int runs = 3;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--memos") == 0)
            memos = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);

    QTemporaryDir folder;
    const QString scriptPath = QDir(folder.path()).filePath(QStringLiteral("bench.js"));
    const QString outPath = QDir(folder.path()).filePath(QStringLiteral("bench.txt"));
    {
        QFile file(scriptPath);
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(scriptPath));
            return 1;
        }
        file.write(benchScript(memos, outPath).toUtf8());
    }

    std::vector<double> toFirst;
    std::vector<double> scriptTimes;
    std::vector<double> wholeRuns;
    for (int run = 0; run < runs; ++run) {
        TestEnvironment env;
        StartupOutcome outcome = env.start();
        if (!outcome.runLoop) {
            std::fprintf(stderr, "the program did not start\n");
            return 1;
        }
        Application& app = *outcome.application;
        MainWindow& window = *app.window();
        window.resize(900, 700);
        window.show();
        QApplication::processEvents();
        auto* commands = window.findChild<ScriptCommands*>(QStringLiteral("scriptCommands"));
        if (!commands) {
            std::fprintf(stderr, "no script host in the window\n");
            return 1;
        }
        QFile::remove(outPath);

        const qint64 commandAt = QDateTime::currentMSecsSinceEpoch();
        const auto start = std::chrono::steady_clock::now();
        commands->runScriptFile(scriptPath);
        QApplication::processEvents();
        wholeRuns.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());

        QFile result(outPath);
        if (!result.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "the script wrote no result\n");
            return 1;
        }
        const QList<QByteArray> parts = result.readAll().trimmed().split(' ');
        if (parts.size() != 3 || parts[2].toInt() != memos ||
            app.note().ItemCount() != std::uint32_t(memos) + 1) {
            std::fprintf(stderr, "the script did not make and read %d memos\n", memos);
            return 1;
        }
        toFirst.push_back(double(parts[0].toLongLong() - commandAt));
        scriptTimes.push_back(double(parts[1].toLongLong() - parts[0].toLongLong()));
        // The window is closed without the question to save.
        app.setModifiedMark(false);
    }
    std::printf("script making %d memos (1 KB bodies) and reading their titles, %d runs:\n",
                memos, runs);
    std::printf("  command to first statement  median %8.1f ms  (goal under 50 ms)\n",
                median(toFirst));
    std::printf("  script from first statement median %8.1f ms\n", median(scriptTimes));
    std::printf("  whole run, command to view  median %8.1f ms  (goal under 1000 ms)\n",
                median(wholeRuns));
    return 0;
}
