#pragma once

#include <QTreeView>

// The children of the memo group focused in the memo list, with the same
// columns. For now it shows its column captions only.
class GroupContentList : public QTreeView {
    Q_OBJECT
public:
    explicit GroupContentList(QWidget* parent = nullptr);
};
