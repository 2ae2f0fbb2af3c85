#pragma once

#include <QAbstractItemModel>
#include <QColor>
#include <cstdint>
#include <functional>

#include "app/list/row_icons.h"
#include "core/model/item_id.h"

namespace tidemark {
class Item;
class Note;
}  // namespace tidemark

// What the two memo lists have in common: rows that stand for items of a
// note (the index's internal id is the ItemId; nothing of the item is
// copied), the four columns, and fixed rows that stand for no item (their
// id is 0: the hints of an empty note, the notice of a locked group).
//
// The note never tells the model anything: whoever changes the note tells
// the model which rows changed, at once, before anything else can ask the
// model about them (see the notification functions of the subclasses).
class MemoRowsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        kItemIdRole = Qt::UserRole + 1,  // ItemId (0 for a fixed row)
        kIconRole,                       // the row picture's number (RowIcon)
        kStateImageRole,                 // the state image's number (StateImage)
    };

    explicit MemoRowsModel(IconPlace place, QObject* parent = nullptr);

    // The note shown; it must outlive its use here. Resets the model.
    void setNote(tidemark::Note* note);
    tidemark::Note* note() const { return m_note; }

    // The item a row stands for; 0 for fixed rows and invalid indexes. The
    // id is looked up again on every use: a row whose item is gone is no row.
    tidemark::ItemId itemId(const QModelIndex& index) const;
    const tidemark::Item* item(const QModelIndex& index) const;
    // The row of `id` (column `column`); invalid when the item has none here.
    virtual QModelIndex indexOf(tidemark::ItemId id, int column = 0) const = 0;

    // The body column exists only while the body is shown in the list.
    void setShowBody(bool show);
    bool showsBody() const { return m_showBody; }
    // Hovering over a memo's row shows its body.
    void setHoverPreview(bool on) { m_hoverPreview = on; }
    // The memo the text pane holds: its row has its own picture.
    void setOpenMemo(tidemark::ItemId memo);
    tidemark::ItemId openMemo() const { return m_openMemo; }

    // The row of `id` shows new content.
    void itemChanged(tidemark::ItemId id);
    // The remarks caption of the note changed.
    void captionsChanged();

    // The picture and text of the fixed rows, by row.
    virtual int fixedRowIcon(int row) const = 0;
    virtual QString fixedRowText(int row) const = 0;

    // The colour rows are written in unless they have their own.
    virtual QColor defaultTextColour() const;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    QModelIndex makeIndex(int row, int column, tidemark::ItemId id) const {
        return createIndex(row, column, quintptr(id));
    }
    // Called inside the reset of setNote and setShowBody.
    virtual void forgetRows() = 0;

    tidemark::Note* m_note = nullptr;

private:
    IconPlace m_place;
    bool m_showBody = true;
    bool m_hoverPreview = false;
    tidemark::ItemId m_openMemo = tidemark::kNoItem;
};
