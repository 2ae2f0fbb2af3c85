#pragma once

#include "app/list/group_content_model.h"
#include "app/list/memo_rows_view.h"

// The children of the memo group focused in the memo list, one level, with
// the same columns, pictures and painting. A locked group whose password is
// not held shows two fixed rows, and the list is disabled meanwhile.
class GroupContentList : public MemoRowsView {
    Q_OBJECT
public:
    explicit GroupContentList(QWidget* parent = nullptr);

    GroupContentModel* contentModel() const { return m_content; }

    // Rows of the children of `group` (0: none), the focus on the first row,
    // the list enabled unless the group is locked shut.
    void showGroup(tidemark::ItemId group);

private:
    GroupContentModel* m_content;
};
