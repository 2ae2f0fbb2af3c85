#pragma once

#include <functional>
#include <unordered_map>

#include "app/list/child_rows.h"
#include "app/list/memo_rows_model.h"

// The note's item tree for the memo list: the root's children are the top
// rows (the root itself is never a row), and a memo group has rows below it
// exactly while its open flag is set. A note without items shows the five
// hint rows instead, while they are asked for.
//
// Every change of the note is announced here right after it was made (the
// removal of rows: while it is made), before anything can ask the model
// about the rows concerned.
class NoteTreeModel : public MemoRowsModel {
    Q_OBJECT
public:
    explicit NoteTreeModel(QObject* parent = nullptr);

    QModelIndex indexOf(tidemark::ItemId id, int column = 0) const override;

    // Rows of everything anew.
    void refill();
    // The hint rows: shown instead of the tree until hidden again.
    void setHintRows(bool shown);
    bool showsHintRows() const { return m_hintRows; }

    // `count` siblings from `first` were linked into the tree (with their
    // subtrees). Nothing happens unless their parent's rows are shown.
    void itemsInserted(tidemark::ItemId first, std::uint32_t count = 1);
    // Takes the rows of `count` siblings from `first`, with every row below
    // them, out of the model; `change` takes the items out of the note (or
    // moves them) while the rows go.
    void removeItems(tidemark::ItemId first, std::uint32_t count,
                     const std::function<void()>& change);
    // The open flag of `group` was flipped: its children's rows come or go.
    void groupOpenChanged(tidemark::ItemId group);
    // Whether the model shows rows below `group`: what it last announced,
    // or the group's open flag for a group it never announced.
    bool showsChildren(tidemark::ItemId group) const;
    // The children of `group` (with `recursive`, every group below too) are
    // in a new order; the items stay where they are in the tree.
    void childrenReordered(tidemark::ItemId group, bool recursive = false);

    int fixedRowIcon(int row) const override;
    QString fixedRowText(int row) const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

protected:
    void forgetRows() override;

private:
    tidemark::ItemId parentId(const QModelIndex& parent) const;
    // Forgets what is known of the groups below `id` (rows and open state).
    void forgetBelow(tidemark::ItemId id);
    // Whether `id` is the root or a row whose children may be rows.
    bool rowsShownBelow(tidemark::ItemId id) const;

    mutable ChildRows m_rows;
    // Groups whose rows below are known shown (true) or not (false); a group
    // not listed goes by its open flag.
    mutable std::unordered_map<tidemark::ItemId, bool> m_shown;
    bool m_hintRows = false;
};
