#include "app/frame/pane_layout.h"

int paneAxisLength(PaneLayout layout, QSize area) {
    return layout == PaneLayout::kSideBySide ? area.width() : area.height();
}

namespace {

// A rectangle along the splitter's axis from `start` to `end`, full across.
QRect band(PaneLayout layout, QSize area, int start, int end) {
    if (end <= start)
        return {};
    if (layout == PaneLayout::kSideBySide)
        return QRect(start, 0, end - start, area.height());
    return QRect(0, start, area.width(), end - start);
}

}  // namespace

PaneGeometry computePaneGeometry(const PaneLayoutInput& in) {
    PaneGeometry out;
    out.splitter = in.splitter;
    const QRect whole(QPoint(0, 0), in.area);
    const int length = paneAxisLength(in.layout, in.area);
    out.fullExtent = length + in.bar;

    if (in.layout == PaneLayout::kAlternate) {
        (in.memoShown ? out.memoText : out.memoList) = whole;
        return out;
    }

    int extent = in.animatedExtent.value_or(in.splitter);
    if (!in.animatedExtent) {
        if (in.listCoversArea) {
            out.memoList = whole;
            return out;
        }
        if (in.splitter - in.bar < kSplitterMargin || in.splitter > length - kSplitterMargin) {
            out.splitter = length / 2;
            out.splitterReset = true;
            extent = out.splitter;
        }
    }

    out.memoList = band(in.layout, in.area, 0, extent - in.bar);
    if (extent < length) {
        // While the list grows over it or shrinks back, the second pane is the text pane.
        QRect& second = in.focusedIsGroup && !in.animatedExtent ? out.groupList : out.memoText;
        second = band(in.layout, in.area, extent, length);
    }
    return out;
}
