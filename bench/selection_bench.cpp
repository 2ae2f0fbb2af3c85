// Times selecting in the memo list of a started main window holding the
// 100,000-item sample note with every memo group open:
//   select all   the Select All command with the memo list focused, until
//                the window has handled everything it queued;
//   click        then one plain click on a row, until the same.
//
//   selection_bench [--runs R] [--items N]   (100,000 items unless told)
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/common/command_actions.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "core/file/note_bytes.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/command_ids.h"

using namespace tidemark;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Opens every memo group that is not locked, below `id`.
void openGroups(Note& note, ItemId id) {
    for (ItemId child = note.FindItem(id)->links.firstChild; child != kNoItem;) {
        Item* item = note.FindItem(child);
        if (item->IsGroup() && !item->IsLockedGroup()) {
            item->SetOpen(true);
            openGroups(note, child);
        }
        child = item->links.next;
    }
}

void print(const char* what, const std::vector<double>& runs) {
    const double best = *std::min_element(runs.begin(), runs.end());
    double sum = 0;
    for (double r : runs)
        sum += r;
    std::printf("%-34s best %8.1f ms   mean %8.1f ms   (%zu runs)\n", what, best,
                sum / double(runs.size()), runs.size());
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 3;
    int items = 100000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--items") == 0)
            items = std::max(1, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);

    QTemporaryDir folder;
    const QString sample = folder.filePath(QStringLiteral("sample.tmk"));
    QProcess maker;
    maker.start(QStringLiteral(MAKE_SAMPLE_NOTE),
                {QStringLiteral("--items"), QString::number(items), sample});
    QFile file(sample);
    if (!maker.waitForFinished(600000) || maker.exitCode() != 0 ||
        !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_sample_note failed\n");
        return 1;
    }
    const QByteArray bytes = file.readAll();

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
    Note& note = app.note();
    LoadNoteFromBytes(note, MemoryBlock(bytes.begin(), bytes.end()));
    openGroups(note, note.RootId());
    window.noteReplaced();
    QApplication::processEvents();

    MemoList& list = *window.panes()->memoList();
    list.setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    std::printf("memo list: %d rows shown from %u items\n", int(list.rowsModel()->rowCount()),
                note.ItemCount());
    QAction* selectAll = app.actions().action(kCmdSelectAll);

    std::vector<double> selecting, clicking;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        selectAll->trigger();
        QApplication::processEvents();
        selecting.push_back(msSince(start));
        const int selected = list.selectedCount();

        const QModelIndex row = list.indexAt(QPoint(10, list.viewport()->height() / 2));
        QPoint at = list.visualRect(row).center();
        at.setX(list.viewport()->width() - 20);
        start = std::chrono::steady_clock::now();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
        clicking.push_back(msSince(start));
        if (run == 0)
            std::printf("selected after select all: %d, after the click: %d\n", selected,
                        list.selectedCount());
    }
    print("select all", selecting);
    print("one click after it", clicking);
    return 0;
}
