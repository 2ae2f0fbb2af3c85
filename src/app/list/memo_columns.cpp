#include "app/list/memo_columns.h"

#include <QHeaderView>

#include "app/common/body_preview.h"
#include "app/common/qt_text.h"
#include "app/common/ui_strings.h"
#include "core/common/time_text.h"
#include "core/model/item.h"
#include "core/model/note.h"
#include "core/model/note_view_settings.h"

namespace {

constexpr std::uint32_t kCaptionIds[] = {11001, 11004, 11002, 11003};

}  // namespace

QString memoColumnCaption(const tidemark::Note* note, int column) {
    if (column < 0 || column > 3)
        return QString();
    if (column == int(MemoColumn::kRemarks) && note && !note->View().remarksCaption.Empty())
        return toQString(note->View().remarksCaption);
    return uiText(kCaptionIds[column]);
}

QString memoColumnText(const tidemark::Item& item, int column) {
    switch (MemoColumn(column)) {
        case MemoColumn::kTitle:
            return toQString(item.Title());
        case MemoColumn::kRemarks:
            return item.HasFlag(tidemark::ItemFlags::kHasRemarks) ? toQString(item.StoredRemarks())
                                                                  : QString();
        case MemoColumn::kModified:
            return toQString(tidemark::DisplayTime(item.ModifiedTime()));
        case MemoColumn::kBody:
            return item.IsMemo() ? toQString(bodyPreview(tidemark::BodyOf(item).View()))
                                 : QString();
    }
    return QString();
}

void setUpMemoColumns(QTreeView& view) {
    view.setUniformRowHeights(true);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setAllColumnsShowFocus(true);
    view.setSortingEnabled(false);
    QHeaderView* header = view.header();
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setDefaultSectionSize(kDefaultMemoColumnWidth);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(false);
}

void applyMemoColumnWidths(QTreeView& view, const tidemark::NoteViewSettings& settings) {
    const int widths[] = {settings.titleColumnWidth, settings.remarksColumnWidth,
                          settings.modifiedColumnWidth, settings.bodyColumnWidth};
    const int columns = view.model() ? view.model()->columnCount() : 0;
    for (int column = 0; column < columns && column < 4; ++column) {
        if (widths[column] > 0)
            view.setColumnWidth(column, widths[column]);
    }
}

void storeMemoColumnWidths(const QTreeView& view, tidemark::NoteViewSettings& settings) {
    const int columns = view.model() ? view.model()->columnCount() : 0;
    if (columns < 3)
        return;
    settings.titleColumnWidth = view.columnWidth(0);
    settings.remarksColumnWidth = view.columnWidth(1);
    settings.modifiedColumnWidth = view.columnWidth(2);
    if (columns > 3)
        settings.bodyColumnWidth = view.columnWidth(3);
}

QColor colourFromNote(std::uint32_t colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

void applyNoteColours(QTreeView& view, std::uint32_t textColour, std::uint32_t backgroundColour) {
    QPalette palette = view.palette();
    palette.setColor(QPalette::Text, colourFromNote(textColour));
    palette.setColor(QPalette::Base, colourFromNote(backgroundColour));
    view.setPalette(palette);
}
