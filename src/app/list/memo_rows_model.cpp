#include "app/list/memo_rows_model.h"

#include "app/common/body_preview.h"
#include "app/common/qt_text.h"
#include "app/list/memo_columns.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::ItemId;

MemoRowsModel::MemoRowsModel(IconPlace place, QObject* parent)
    : QAbstractItemModel(parent), m_place(place) {}

void MemoRowsModel::setNote(tidemark::Note* note) {
    beginResetModel();
    m_note = note;
    m_openMemo = tidemark::kNoItem;
    forgetRows();
    endResetModel();
}

ItemId MemoRowsModel::itemId(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return tidemark::kNoItem;
    return ItemId(index.internalId());
}

const Item* MemoRowsModel::item(const QModelIndex& index) const {
    const ItemId id = itemId(index);
    return id != tidemark::kNoItem && m_note ? m_note->FindItem(id) : nullptr;
}

void MemoRowsModel::setShowBody(bool show) {
    if (show == m_showBody)
        return;
    beginResetModel();
    m_showBody = show;
    forgetRows();
    endResetModel();
}

void MemoRowsModel::setOpenMemo(ItemId memo) {
    if (memo == m_openMemo)
        return;
    const ItemId before = m_openMemo;
    m_openMemo = memo;
    itemChanged(before);
    itemChanged(memo);
}

void MemoRowsModel::itemChanged(ItemId id) {
    if (id == tidemark::kNoItem)
        return;
    const QModelIndex first = indexOf(id, 0);
    if (first.isValid())
        emit dataChanged(first, first.siblingAtColumn(columnCount() - 1));
}

void MemoRowsModel::captionsChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QColor MemoRowsModel::defaultTextColour() const {
    return colourFromNote(m_note ? m_note->View().textColour : 0);
}

int MemoRowsModel::columnCount(const QModelIndex&) const {
    return m_showBody ? 4 : 3;
}

QVariant MemoRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const ItemId id = itemId(index);
    if (id == tidemark::kNoItem) {
        switch (role) {
            case Qt::DisplayRole:
                return index.column() == 0 ? fixedRowText(index.row()) : QString();
            case kIconRole:
                return fixedRowIcon(index.row());
            case kStateImageRole:
                return int(StateImage::kNone);
            case kItemIdRole:
                return 0u;
            default:
                return {};
        }
    }
    const Item* found = m_note ? m_note->FindItem(id) : nullptr;
    if (!found)
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return memoColumnText(*found, index.column());
        case Qt::ToolTipRole:
            if (m_hoverPreview && found->IsMemo()) {
                const std::string tip = infoTipText(tidemark::BodyOf(*found).View());
                if (!tip.empty())
                    return toQString(tip);
            }
            return {};
        case Qt::DecorationRole:
            return index.column() == 0
                       ? QVariant(rowIcon(rowIconNumber(*found, m_place, m_openMemo)))
                       : QVariant();
        case kItemIdRole:
            return id;
        case kIconRole:
            return rowIconNumber(*found, m_place, m_openMemo);
        case kStateImageRole:
            return stateImageNumber(*found, m_place);
        default:
            return {};
    }
}

QVariant MemoRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= columnCount())
        return {};
    return memoColumnCaption(m_note, section);
}

Qt::ItemFlags MemoRowsModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Item* found = item(index);
    if (!found)
        return itemId(index) == tidemark::kNoItem ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    // Rows can be dragged (MemoRowsView::startDrag hands the drag to the window).
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == 0)
        flags |= Qt::ItemIsEditable;
    if (!found->IsGroup())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}
