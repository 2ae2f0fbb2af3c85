#include "app/frame/window_snap.h"

#include <cstdlib>

#include "core/model/note_view_settings.h"

namespace {

using tidemark::NoteViewSettings;

// The snapped start of a span [start, start + length) between low and high.
int snapAxis(int start, int length, int low, int high) {
    if (std::abs(start - low) < kSnapDistance)
        return low;
    if (std::abs(start + length - high) < kSnapDistance)
        return high - length;
    return start;
}

}  // namespace

QPoint snappedPosition(const QRect& frame, const QRect& workArea) {
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    return QPoint(snapAxis(frame.x(), frame.width(), workArea.x(), right),
                  snapAxis(frame.y(), frame.height(), workArea.y(), bottom));
}

std::uint32_t touchedEdges(const QRect& frame, const QRect& workArea) {
    std::uint32_t flags = 0;
    if (frame.x() == workArea.x())
        flags |= NoteViewSettings::kTouchesLeft;
    if (frame.x() + frame.width() == workArea.x() + workArea.width()) {
        flags |= NoteViewSettings::kTouchesRight;
    }
    if (frame.y() == workArea.y())
        flags |= NoteViewSettings::kTouchesTop;
    if (frame.y() + frame.height() == workArea.y() + workArea.height()) {
        flags |= NoteViewSettings::kTouchesBottom;
    }
    return flags;
}

QPoint keepTouchingEdges(const QRect& frame, const QRect& workArea, std::uint32_t flags) {
    QPoint to = frame.topLeft();
    if (flags & NoteViewSettings::kTouchesLeft) {
        to.setX(workArea.x());
    } else if (flags & NoteViewSettings::kTouchesRight) {
        to.setX(workArea.x() + workArea.width() - frame.width());
    }
    if (flags & NoteViewSettings::kTouchesTop) {
        to.setY(workArea.y());
    } else if (flags & NoteViewSettings::kTouchesBottom) {
        to.setY(workArea.y() + workArea.height() - frame.height());
    }
    return to;
}
