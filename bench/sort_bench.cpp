// Times the sort command on a memo group of 10,000 memos in a started main
// window (offscreen unless a display is set): the sort by title, ascending
// and descending in turn, from the command to the list's rows inserted
// again. The sort dialog is answered at once; the progress window must
// never have appeared.
//
//   sort_bench [--runs R]
#include <QApplication>
#include <QEvent>
#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/context/item_view_updater.h"
#include "app/edit/edit_prompts.h"
#include "app/edit/item_commands.h"
#include "app/edit/sort_progress_window.h"
#include "app/frame/application.h"
#include "app/frame/list_panes.h"
#include "app/frame/main_window.h"
#include "app/frame/main_window_context.h"
#include "app/frame/pane_area.h"
#include "app/list/memo_list.h"
#include "app/test_support.h"
#include "core/model/item.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

constexpr int kChildren = 10000;

// Takes every sort dialog as preset, in the direction asked for.
class ImmediatePrompts : public EditPrompts {
public:
    bool descending = false;
    bool confirmDelete() override { return false; }
    void showError(std::uint32_t, const QString&) override {}
    std::optional<Colour> chooseColour(std::optional<Colour>, std::array<Colour, 16>&) override {
        return std::nullopt;
    }
    bool chooseSort(const QString&, const QString&, SortChoice& choice) override {
        choice.descending = descending;
        return true;
    }
    std::optional<QString> editRemarks(const QString&) override { return std::nullopt; }
    std::optional<QString> editCaption(const QString&) override { return std::nullopt; }
};

// Counts progress windows shown.
class ShowWatcher : public QObject {
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<SortProgressWindow*>(watched))
            ++shown;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    int runs = 6;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);

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
    const ItemId group = note.CreateItem(ItemType::kGroup);
    note.FindItem(group)->SetRawTitle(ByteString("large group"));
    note.FindItem(group)->SetOpen(true);
    note.InsertItems(group, note.RootId(), Placement::kInside, Placement::kAfter, true);
    QRandomGenerator random(20261210);
    ItemId firstChild = kNoItem;
    for (int i = 0; i < kChildren; ++i) {
        const ItemId id = note.CreateItem(ItemType::kMemo);
        note.FindItem(id)->SetRawTitle(
            ByteString("memo " + std::to_string(random.bounded(1000000))));
        note.InsertItems(id, group, Placement::kInside, Placement::kAfter, i == kChildren - 1);
        if (firstChild == kNoItem)
            firstChild = id;
    }
    window.noteReplaced();
    ListPanes& lists = *window.lists();
    window.panes()->memoList()->focusItem(firstChild, true);
    QApplication::processEvents();

    ImmediatePrompts prompts;
    ItemCommands commands(note, app.settings(), lists, lists.rowUpdates(), prompts,
                          lists.lockDialogs(), &app.windowContext());
    ShowWatcher watcher;
    qt.installEventFilter(&watcher);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prompts.descending = run % 2 == 1;
        const auto start = std::chrono::steady_clock::now();
        commands.sort(SortKey::kTitle);
        QApplication::processEvents();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    const double best = *std::min_element(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf(
        "sort %d memos by title, command to rows   best %8.1f ms   mean %8.1f ms   (%d runs)\n",
        kChildren, best, sum / double(times.size()), runs);
    std::printf("progress window shown: %d time(s)\n", watcher.shown);
    return watcher.shown == 0 ? 0 : 1;
}
