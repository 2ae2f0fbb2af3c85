#include "app/list/memo_columns.h"

#include <QHeaderView>
#include <QStandardItemModel>

#include "app/qt_text.h"
#include "app/ui_strings.h"
#include "core/model/note_view_settings.h"

namespace {

constexpr std::uint32_t kCaptionIds[] = {11001, 11004, 11002, 11003};

}  // namespace

void setUpMemoColumns(QTreeView& view, bool showBody) {
    // Until the note's item model takes its place, a model without rows
    // carries the captions.
    auto* captions = new QStandardItemModel(0, showBody ? 4 : 3, &view);
    for (int column = 0; column < captions->columnCount(); ++column) {
        captions->setHeaderData(column, Qt::Horizontal, uiText(kCaptionIds[column]));
    }
    view.setModel(captions);
    view.setRootIsDecorated(true);
    view.setUniformRowHeights(true);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.header()->setStretchLastSection(false);
    view.header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < captions->columnCount(); ++column) {
        view.setColumnWidth(column, kDefaultMemoColumnWidth);
    }
}

void applyMemoColumnWidths(QTreeView& view, const tidemark::NoteViewSettings& settings) {
    const int widths[] = {settings.titleColumnWidth, settings.remarksColumnWidth,
                          settings.modifiedColumnWidth, settings.bodyColumnWidth};
    const int columns = view.model() ? view.model()->columnCount() : 0;
    for (int column = 0; column < columns && column < 4; ++column) {
        if (widths[column] > 0)
            view.setColumnWidth(column, widths[column]);
    }
    if (!settings.remarksCaption.Empty() && view.model()) {
        view.model()->setHeaderData(1, Qt::Horizontal, toQString(settings.remarksCaption.View()));
    }
}

void storeMemoColumnWidths(const QTreeView& view, tidemark::NoteViewSettings& settings) {
    const int columns = view.model() ? view.model()->columnCount() : 0;
    settings.titleColumnWidth = view.columnWidth(0);
    settings.remarksColumnWidth = view.columnWidth(1);
    settings.modifiedColumnWidth = view.columnWidth(2);
    if (columns > 3)
        settings.bodyColumnWidth = view.columnWidth(3);
}

namespace {

QColor fromColourRef(std::uint32_t colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

}  // namespace

void applyNoteColours(QTreeView& view, std::uint32_t textColour, std::uint32_t backgroundColour) {
    QPalette palette = view.palette();
    palette.setColor(QPalette::Text, fromColourRef(textColour));
    palette.setColor(QPalette::Base, fromColourRef(backgroundColour));
    view.setPalette(palette);
}
