#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/list/memo_rows_model.h"

// The note's item tree for the memo list, as one flat run of rows in the
// order the list shows them: the root's children (the root itself is never a
// row), and below a memo group exactly while its open flag is set, the
// group's children with their own rows, each row knowing its indentation
// level. A note without items shows the five hint rows instead, while they
// are asked for.
//
// Flat rows keep every selection of consecutive rows one range however many
// groups it spans, so selecting all rows, and a click after it, cost a
// range or two instead of one range per group.
//
// Every change of the note is announced here right after it was made (the
// removal of rows: while it is made), before anything can ask the model
// about the rows concerned.
class NoteTreeModel : public MemoRowsModel {
    Q_OBJECT
public:
    explicit NoteTreeModel(QObject* parent = nullptr);

    QModelIndex indexOf(tidemark::ItemId id, int column = 0) const override;
    // The indentation level of a row: 0 for the root's children.
    int levelOf(const QModelIndex& index) const;

    // Rows of everything anew.
    void refill();
    // The hint rows: shown instead of the tree until hidden again.
    void setHintRows(bool shown);
    bool showsHintRows() const { return m_hintRows; }

    // `count` siblings from `first` were linked into the tree (with their
    // subtrees). Nothing happens unless their parent's rows are shown.
    void itemsInserted(tidemark::ItemId first, std::uint32_t count = 1);
    // Takes the rows of `count` siblings from `first` (0: every sibling from
    // `first` on), with every row below them, out of the model; `change`
    // takes the items out of the note (or moves them) while the rows go.
    void removeItems(tidemark::ItemId first, std::uint32_t count,
                     const std::function<void()>& change);
    // The open flag of `group` was flipped: its children's rows come or go.
    void groupOpenChanged(tidemark::ItemId group);
    // Whether the model shows rows below `group`: what it last announced,
    // or the group's open flag for a group that has no row.
    bool showsChildren(tidemark::ItemId group) const;
    // The children of `group`, and of any group below it, are in a new
    // order; the items stay where they are in the tree, and the groups show
    // rows below them as announced.
    void childrenReordered(tidemark::ItemId group);

    int fixedRowIcon(int row) const override;
    QString fixedRowText(int row) const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

protected:
    void forgetRows() override;

private:
    struct Row {
        tidemark::ItemId id;
        std::uint32_t level;
    };
    // Whether a walk goes on below a memo group.
    using Enters = std::function<bool(const tidemark::Item&)>;

    // The rows, read from the note when asked for the first time since the
    // last reset.
    const std::vector<Row>& rows() const;
    // The rows of the span of `top` (see SubtreeWalk), `level` being the
    // level of the span's first rows; every group entered is noted as
    // showing rows below it.
    std::vector<Row> rowsOf(tidemark::ItemId top, bool below, std::uint32_t level,
                            const Enters& enters) const;
    // The row of `id`; -1 when it has none.
    int rowOf(tidemark::ItemId id) const;
    // The row after `row` and every row below it.
    int blockEnd(int row) const;
    // Whether `id` is the root or a row that shows rows below it.
    bool rowsShownBelow(tidemark::ItemId id) const;
    // The rows changed: the lookup by id has to be made anew.
    void rowsMoved();

    mutable std::vector<Row> m_rows;
    mutable bool m_read = false;
    // The groups with a row that show rows below them.
    mutable std::unordered_set<tidemark::ItemId> m_expanded;
    // The row of each id, made when rows are looked up often enough since
    // the last change; a few lookups search the rows instead.
    mutable std::unordered_map<tidemark::ItemId, int> m_rowIndex;
    mutable bool m_rowIndexStale = true;
    mutable int m_searchesSinceChange = 0;
    bool m_hintRows = false;
};
