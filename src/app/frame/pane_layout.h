#pragma once

#include <QRect>
#include <QSize>
#include <optional>

// The three arrangements of the panes, as the note stores them.
enum class PaneLayout { kAlternate = 0, kStacked = 1, kSideBySide = 2 };

// A splitter may not come closer than this to either end of the pane area.
inline constexpr int kSplitterMargin = 8;

struct PaneLayoutInput {
    QSize area;  // the pane area, below the toolbars and above the status bar
    PaneLayout layout = PaneLayout::kSideBySide;
    int splitter = 0;             // where the second pane starts (the note's splitter position)
    int bar = 3;                  // splitter thickness
    bool memoShown = false;       // the text pane holds a memo (not its placeholder)
    bool focusedIsGroup = false;  // the memo list's focused item is a memo group
    // The hide-editor setting is on and the text pane shows its placeholder:
    // the memo list covers the whole area.
    bool listCoversArea = false;
    // While the hide animation runs: where the second pane starts instead of
    // the splitter position.
    std::optional<int> animatedExtent;
};

// Where each pane goes; a null rectangle hides the pane.
struct PaneGeometry {
    QRect memoList;
    QRect groupList;
    QRect memoText;
    int splitter = 0;            // the position in effect (reset when out of bounds)
    bool splitterReset = false;  // the note should store `splitter`
    int fullExtent = 0;          // the extent at which the list covers the whole area
};

// The length of the area along the splitter's axis: the height when
// stacked, the width side by side.
int paneAxisLength(PaneLayout layout, QSize area);

// Lays out the panes for one moment; pure, so that every rule can be checked
// without widgets.
PaneGeometry computePaneGeometry(const PaneLayoutInput& input);
