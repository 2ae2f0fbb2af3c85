#pragma once

#include <QTreeView>

#include "core/model/item_id.h"

// The note's item tree as an indented list with expandable memo groups.
// For now it shows its column captions only; the item model over the note
// and all interaction with the rows come with the list itself.
class MemoList : public QTreeView {
    Q_OBJECT
public:
    explicit MemoList(QWidget* parent = nullptr);

    // The item the list's focus rests on; 0 when none.
    tidemark::ItemId focusedItem() const { return m_focusedItem; }
    int selectedCount() const { return 0; }

signals:
    // The focus moved to another item (0: none).
    void focusedItemChanged(tidemark::ItemId item);

private:
    tidemark::ItemId m_focusedItem = tidemark::kNoItem;
};
