#include "app/list/group_content_list.h"

#include "app/list/memo_columns.h"

GroupContentList::GroupContentList(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("groupContentList"));
    setUpMemoColumns(*this, true);
    setRootIsDecorated(false);
}
