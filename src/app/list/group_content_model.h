#pragma once

#include <functional>
#include <vector>

#include "app/list/memo_rows_model.h"

// The children of one memo group, one level, for the group list. A locked
// group whose password is not held shows two fixed rows instead: that its
// contents are encrypted, and that opening it shows them.
//
// Changes of the group's children are announced here as to NoteTreeModel;
// announcements about items elsewhere are ignored.
class GroupContentModel : public MemoRowsModel {
    Q_OBJECT
public:
    explicit GroupContentModel(QObject* parent = nullptr);

    // Rows of the children of `group` (0: no rows), anew.
    void showGroup(tidemark::ItemId group);
    tidemark::ItemId group() const { return m_group; }
    // The group is locked and closed: the two fixed rows stand for it.
    bool showsLockedRows() const { return m_lockedRows; }

    QModelIndex indexOf(tidemark::ItemId id, int column = 0) const override;

    void itemsInserted(tidemark::ItemId first, std::uint32_t count = 1);
    void removeItems(tidemark::ItemId first, std::uint32_t count,
                     const std::function<void()>& change);
    void childrenReordered();

    int fixedRowIcon(int row) const override;
    QString fixedRowText(int row) const override;
    // The group's own text colour when it has one, else the note's.
    QColor defaultTextColour() const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

protected:
    void forgetRows() override;

private:
    void readRows();

    tidemark::ItemId m_group = tidemark::kNoItem;
    bool m_lockedRows = false;
    std::vector<tidemark::ItemId> m_rows;
};
