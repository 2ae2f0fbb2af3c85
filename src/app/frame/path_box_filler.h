#pragma once

#include "core/model/item_id.h"

class QComboBox;

namespace tidemark {
class Note;
}

// Role of a path box entry that holds its item's id.
inline constexpr int kPathBoxItemRole = 0x0100;  // Qt::UserRole

// Fills the navigation path box with `focused` and its ancestors below the
// root, the outermost first, each with its picture, indented by its depth
// and carrying its id; `focused` is the entry chosen (its title in the
// field). Nothing is listed for 0 or the root.
void fillPathBox(QComboBox& box, tidemark::Note& note, tidemark::ItemId focused);
