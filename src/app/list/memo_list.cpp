#include "app/list/memo_list.h"

#include "app/list/memo_columns.h"

MemoList::MemoList(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("memoList"));
    setUpMemoColumns(*this, true);
}
