// Typing into the memo text pane and storing the text back, for memos of
// several sizes: what one keystroke costs (the key event, the edit, the
// repaint with the marks, the title check) and what storing the whole text
// into the note costs. A keystroke must cost the same whatever the size of
// the memo; only storing may grow with it.
//
//   text_bench [--keys K] [--sizes B1,B2,...] [--hide-marks]
//
// K keystrokes (default 2,000) are typed in the middle of each memo, in
// bursts of ten with the pending events (repaints included) handled after
// each burst. Sizes are body sizes in bytes (default 6,000 and 60,000); the
// bodies are lines of Japanese and ASCII text ending in CR LF. Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QTest>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/common/qt_text.h"
#include "app/text/memo_text_view.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/settings/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// About `bytes` bytes of CP932 text in lines of some 60 bytes.
tidemark::ByteString sampleBody(std::size_t bytes) {
    std::string body;
    for (int n = 0; body.size() < bytes; ++n) {
        body += fromQString(
                    QStringLiteral("メモの本文 %1: the quick brown fox 日本語の行\r\n").arg(n, 5))
                    .Str();
    }
    // Cut at a line end, so that no character is split.
    body.resize(body.rfind("\r\n", bytes) + 2);
    return tidemark::ByteString(std::move(body));
}

struct Figures {
    std::size_t bytes = 0;
    double openMs = 0;
    double perKeyUs = 0;
    double storeMs = 0;
};

Figures measure(std::size_t bytes, int keys, bool hideMarks) {
    tidemark::Note note;
    note.MakeNew("root");
    const tidemark::ItemId id = note.CreateItem(tidemark::ItemType::kMemo);
    note.InsertItems(id, note.RootId(), tidemark::Placement::kInside, tidemark::Placement::kAfter,
                     true);
    auto& memo = static_cast<tidemark::Memo&>(*note.FindItem(id));
    memo.SetRawBody(sampleBody(bytes));

    tidemark::Settings settings;  // marks shown, as a first run has them
    settings.HideMarks = hideMarks;
    MemoTextView view;
    view.setSettings(&settings);
    view.resize(640, 480);
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    view.activateWindow();
    (void)QTest::qWaitForWindowActive(&view);

    Figures figures;
    figures.bytes = memo.Body().Size();
    auto start = Clock::now();
    view.showMemo(note, id);
    QCoreApplication::processEvents();
    figures.openMs = microsecondsSince(start) / 1000;

    view.setFocus();
    QTextCursor middle = view.textCursor();
    middle.setPosition(view.document()->characterCount() / 2);
    view.setTextCursor(middle);
    view.centerCursor();
    QCoreApplication::processEvents();

    const QString burst = QStringLiteral("abcdefghi ");
    start = Clock::now();
    int typed = 0;
    while (typed < keys) {
        QTest::keyClicks(&view, burst);
        QCoreApplication::processEvents();
        typed += int(burst.size());
    }
    figures.perKeyUs = microsecondsSince(start) / typed;

    // Storing the changed text: best of five, each after one more keystroke.
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        QTest::keyClick(&view, Qt::Key_X);
        start = Clock::now();
        view.commitEdits();
        best = std::min(best, microsecondsSince(start) / 1000);
    }
    figures.storeMs = best;
    if (memo.Body().Size() <= figures.bytes) {
        std::fprintf(stderr, "the typed text was not stored\n");
        std::exit(1);
    }
    return figures;
}

std::vector<std::size_t> parseSizes(const char* text) {
    std::vector<std::size_t> sizes;
    for (const char* p = text; *p;) {
        char* end = nullptr;
        sizes.push_back(std::strtoull(p, &end, 10));
        p = *end == ',' ? end + 1 : end;
        if (end == p && *p)
            break;
    }
    return sizes;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int keys = 2000;
    std::vector<std::size_t> sizes{6000, 60000};
    bool hideMarks = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hide-marks") == 0) {
            hideMarks = true;
        } else if (i + 1 == argc) {
            break;
        } else if (std::strcmp(argv[i], "--keys") == 0) {
            keys = std::max(10, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--sizes") == 0) {
            sizes = parseSizes(argv[++i]);
        }
    }
    QApplication app(argc, argv);

    std::printf("%10s %10s %14s %10s\n", "bytes", "open ms", "keystroke us", "store ms");
    std::vector<Figures> all;
    for (std::size_t size : sizes) {
        measure(size, std::min(keys, 200), hideMarks);  // warm the fonts and caches
        const Figures f = measure(size, keys, hideMarks);
        all.push_back(f);
        std::printf("%10zu %10.2f %14.1f %10.3f\n", f.bytes, f.openMs, f.perKeyUs, f.storeMs);
    }
    if (all.size() >= 2) {
        std::printf("keystroke cost, largest / smallest memo: %.2f (sizes %.0f times apart)\n",
                    all.back().perKeyUs / all.front().perKeyUs,
                    double(all.back().bytes) / double(all.front().bytes));
    }
    return 0;
}
