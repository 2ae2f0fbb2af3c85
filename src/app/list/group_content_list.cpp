#include "app/list/group_content_list.h"

GroupContentList::GroupContentList(QWidget* parent)
    : MemoRowsView(new GroupContentModel, parent),
      m_content(static_cast<GroupContentModel*>(rowsModel())) {
    setObjectName(QStringLiteral("groupContentList"));
    setIndentation(0);
}

void GroupContentList::showGroup(tidemark::ItemId group) {
    setEnabled(true);
    m_content->showGroup(group);
    if (m_content->rowCount() > 0)
        selectionModel()->setCurrentIndex(m_content->index(0, 0), QItemSelectionModel::NoUpdate);
    if (m_content->showsLockedRows())
        setEnabled(false);
}
