#pragma once

#include "core/settings/drag_scroll_source.h"

// The drag-scroll values of this machine: the keys DragScrollInset,
// DragScrollDelay and DragScrollInterval of the section "windows" in the
// machine-wide settings of the program (QSettings' system scope; on Linux
// /etc/xdg/Corvane/Tidemark.conf). A key that is missing or not a whole
// number keeps its default (11, 50, 50).
class SystemDragScrollSource : public tidemark::DragScrollSource {
public:
    tidemark::DragScrollValues ReadDragScrollValues() const override;
};
