#pragma once

#include <functional>

#include "app/list/memo_rows_view.h"
#include "app/list/note_tree_model.h"

// The note's item tree as an indented list: every child of the root, and
// below each memo group whose open flag is set, that group's children. The
// rows are one flat run (the model knows each row's level); the window
// opens and closes groups through the note.
class MemoList : public MemoRowsView {
    Q_OBJECT
public:
    explicit MemoList(QWidget* parent = nullptr);

    NoteTreeModel* treeModel() const { return m_tree; }

    // Takes the rows of `count` siblings from `first` (and all below them)
    // while `change` takes the items out of the note. When the focus was on
    // one of those rows it moves to the row just above them, unselected.
    void removeItems(tidemark::ItemId first, std::uint32_t count,
                     const std::function<void()>& change);
    // The open flag of `group` was flipped. Focus on a row that goes moves
    // to the group.
    void groupOpenChanged(tidemark::ItemId group);

signals:
    // Left (false) or Right (true) without Ctrl, Shift or Alt, outside a
    // title edit box.
    void sidewaysKey(bool right);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    int levelOf(const QModelIndex& index) const override;
    bool isMemoList() const override { return true; }

private:
    // The focus rests on the row of `top` or on a row below it.
    bool focusWithin(tidemark::ItemId top) const;

    NoteTreeModel* m_tree;
};
