#include "app/frame/splitter_drag.h"

#include <algorithm>

#include "app/frame/pane_layout.h"

int SplitterDrag::barStart(int coordinate, int length) const {
    const int low = kSplitterMargin;
    const int high = std::max(low, length - m_bar - kSplitterMargin);
    return std::clamp(coordinate - m_grab, low, high);
}

int SplitterDrag::finish(int coordinate, int length) {
    m_active = false;
    return barStart(coordinate, length) + m_bar;
}
