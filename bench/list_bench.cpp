// Times the memo list with large notes, widget and model as the program uses
// them (offscreen unless a display is set):
//   show   a note of about 100,000 items with every memo group open: the rows
//          given to the list until it has laid them out and painted once;
//   expand a collapsed memo group of 10,000 memos opened and painted, alone
//          in a note and below the large note's rows; then closed again.
//
//   list_bench [--runs R]
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/list/memo_list.h"
#include "app/list/note_tree_model.h"
#include "core/model/item.h"
#include "core/model/note.h"

using namespace tidemark;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Children are added in reverse order, each before the others; the last one
// added (the first child) renumbers the chain once, as a loaded note has it.
ItemId addChild(Note& note, ItemId parent, ItemType type, const std::string& title, bool last) {
    const ItemId id = note.CreateItem(type);
    Item* item = note.FindItem(id);
    item->SetRawTitle(ByteString(title));
    if (type == ItemType::kMemo) {
        static_cast<Memo*>(item)->SetRawBody(
            ByteString("\x83\x81\x83\x82 body of " + title + "\r\nsecond line"));
    } else {
        item->SetOpen(true);
    }
    note.InsertItems(id, parent, Placement::kInside, Placement::kBefore, last);
    return id;
}

// Groups of `fanout` children down to memos, `depth` levels of groups: with
// fanout 10 and depth 4, 11,110 groups and 100,000 memos.
void addTree(Note& note, ItemId parent, int fanout, int depth, const std::string& prefix) {
    for (int i = fanout - 1; i >= 0; --i) {
        const std::string title = prefix + "." + std::to_string(i);
        if (depth == 0) {
            addChild(note, parent, ItemType::kMemo, "memo " + title, i == 0);
        } else {
            const ItemId group = addChild(note, parent, ItemType::kGroup, "group " + title, i == 0);
            addTree(note, group, fanout, depth - 1, title);
        }
    }
}

ItemId addLargeGroup(Note& note, int children) {
    const ItemId group = addChild(note, note.RootId(), ItemType::kGroup, "large group", true);
    for (int i = children - 1; i >= 0; --i)
        addChild(note, group, ItemType::kMemo, "child " + std::to_string(i), i == 0);
    note.FindItem(group)->SetOpen(false);
    return group;
}

struct Figures {
    std::vector<double> runs;
    void print(const char* what) const {
        double best = runs.front(), sum = 0;
        for (double r : runs) {
            best = std::min(best, r);
            sum += r;
        }
        std::printf("%-44s best %8.1f ms   mean %8.1f ms   (%zu runs)\n", what, best,
                    sum / double(runs.size()), runs.size());
    }
};

// A memo list the size of a window's pane, shown.
struct ShownList {
    MemoList list;
    ShownList() {
        list.resize(800, 600);
        list.show();
        QApplication::processEvents();
    }
    void paint() { list.viewport()->repaint(); }
};

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);

    Note large;
    large.MakeNew(ByteString("root"));
    addTree(large, large.RootId(), 10, 4, "g");
    const ItemId largeInLarge = addLargeGroup(large, 10000);
    std::printf("large note: %u items, every group open but one of 10,000 memos\n",
                large.ItemCount() - 1);

    Note small;
    small.MakeNew(ByteString("root"));
    addChild(small, small.RootId(), ItemType::kMemo, "after", false);
    const ItemId largeAlone = addLargeGroup(small, 10000);
    addChild(small, small.RootId(), ItemType::kMemo, "before", true);

    Figures show, expandAlone, collapseAlone, expandInLarge, collapseInLarge;
    for (int run = 0; run < runs; ++run) {
        {
            ShownList shown;
            const auto start = std::chrono::steady_clock::now();
            shown.list.treeModel()->setNote(&large);
            shown.paint();
            show.runs.push_back(msSince(start));
            if (run == 0) {
                int rows = 0;
                for (QModelIndex at = shown.list.model()->index(0, 0); at.isValid();
                     at = shown.list.indexBelow(at)) {
                    ++rows;
                }
                std::printf("rows shown: %d\n", rows);
            }

            auto time = [&](Figures& figures, Note& note, ItemId group, bool open) {
                const auto begin = std::chrono::steady_clock::now();
                note.FindItem(group)->SetOpen(open);
                shown.list.groupOpenChanged(group);
                shown.paint();
                figures.runs.push_back(msSince(begin));
            };
            time(expandInLarge, large, largeInLarge, true);
            time(collapseInLarge, large, largeInLarge, false);

            shown.list.treeModel()->setNote(&small);
            shown.paint();
            time(expandAlone, small, largeAlone, true);
            time(collapseAlone, small, largeAlone, false);
            shown.list.treeModel()->setNote(nullptr);
        }
    }
    show.print("show the large note, all groups open");
    expandAlone.print("expand 10,000 children (small note)");
    collapseAlone.print("collapse 10,000 children (small note)");
    expandInLarge.print("expand 10,000 children (with 111,110 rows)");
    collapseInLarge.print("collapse 10,000 children (with 111,110 rows)");
    return 0;
}
