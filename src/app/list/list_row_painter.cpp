#include "app/list/list_row_painter.h"

#include <QApplication>
#include <QPainter>
#include <QTreeView>

#include "app/list/memo_columns.h"
#include "app/list/memo_rows_model.h"
#include "app/list/row_icons.h"
#include "app/list/title_editor.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::Item;
using tidemark::Note;

namespace {

constexpr int kImageSize = 16;
constexpr int kLabelGap = 2;  // between the icon and the title area
const QColor kGridColour(192, 192, 192);

int blendChannel(int base, int over, int weight) {
    return (base * (256 - weight) + over * weight) / 256;
}

// A picture with `colour` laid over it at half strength, where it is opaque.
QPixmap tinted(const QPixmap& source, const QColor& colour) {
    QPixmap result = source;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor half = colour;
    half.setAlpha(128);
    painter.fillRect(QRectF(0, 0, kImageSize, kImageSize), half);
    return result;
}

void fillSpan(QPainter& painter, const QRect& row, int left, int right, const QColor& colour) {
    if (right > left)
        painter.fillRect(QRect(left, row.top(), right - left, row.height()), colour);
}

// A dotted line pen, one pixel on and one off.
QPen dottedPen(const QColor& colour) {
    QPen pen(colour, 1);
    pen.setDashPattern({1.0, 1.0});
    return pen;
}

void drawText(QPainter& painter, const QRect& rect, const QString& text) {
    if (rect.width() <= 0 || text.isEmpty())
        return;
    const QString shown =
        painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width(), Qt::TextSingleLine);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace

QColor blendColour(const QColor& base, const QColor& over, int weight) {
    return QColor(blendChannel(base.red(), over.red(), weight),
                  blendChannel(base.green(), over.green(), weight),
                  blendChannel(base.blue(), over.blue(), weight));
}

QColor highlightedTextColour(const QColor& text, const QColor& highlightText) {
    auto channel = [](int t, int h) { return (24 * (255 - t) + 232 * h) / 256; };
    return QColor(channel(text.red(), highlightText.red()),
                  channel(text.green(), highlightText.green()),
                  channel(text.blue(), highlightText.blue()));
}

RowTextColours rowTextColours(const QColor& text, bool highlighted, bool active,
                              const QColor& highlightText) {
    // The highlight covers the title area only: the other columns stand on
    // the row's own background, where the highlight text would be lost.
    const QColor title = highlighted && active ? highlightedTextColour(text, highlightText) : text;
    return {title, text};
}

std::vector<BackgroundStrip> backgroundStrips(const Note& note, const Item& item, int iconLeft,
                                              int right) {
    std::vector<BackgroundStrip> strips;
    int cursor = iconLeft;
    std::size_t budget = note.Items().Size() + 1;
    for (const Item* at = &item; at && at->links.id != note.RootId() && budget-- > 0;
         at = note.FindItem(at->links.parent)) {
        cursor -= kLevelWidth;
        if (at->HasOwnBackgroundColour() && cursor < right) {
            strips.push_back({cursor, right, colourFromNote(at->BackgroundColour())});
            right = cursor;
        }
    }
    return strips;
}

QColor rowBackgroundColour(const Note& note, const Item& item) {
    std::size_t budget = note.Items().Size() + 1;
    for (const Item* at = &item; at && at->links.id != note.RootId() && budget-- > 0;
         at = note.FindItem(at->links.parent)) {
        if (at->HasOwnBackgroundColour())
            return colourFromNote(at->BackgroundColour());
    }
    return colourFromNote(note.View().backgroundColour);
}

ListRowPainter::ListRowPainter(QObject* parent) : QStyledItemDelegate(parent) {}

QRect ListRowPainter::labelRect(const QRect& firstColumn, int indent) {
    QRect label = firstColumn;
    label.setLeft(firstColumn.left() + indent + 2 * kImageSize + kLabelGap);
    return label;
}

void ListRowPainter::paintRow(QPainter* painter, const QWidget* list, const MemoRowsModel& model,
                              const QModelIndex& index, const RowGeometry& geometry,
                              const RowLook& look) const {
    if (geometry.columns.empty())
        return;
    QPainter& p = *painter;
    p.save();
    const QRect& row = geometry.row;
    const QRect& first = geometry.columns.front();
    const int indent = look.memoList ? look.level * kLevelWidth : 0;
    const QRect stateRect(first.left() + indent, row.top() + (row.height() - kImageSize) / 2,
                          kImageSize, kImageSize);
    const QRect iconRect = stateRect.translated(kImageSize, 0);
    const QRect label = labelRect(first, indent);
    const QFontMetrics metrics = p.fontMetrics();
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const qreal ratio = list ? list->devicePixelRatioF() : 1.0;
    const QPalette palette = list ? list->palette() : QApplication::palette();
    const Note* note = model.note();
    const Item* item = model.item(index);

    if (!item || !note) {
        // Rows that stand for no item (the hint rows, a locked group's
        // notice): a picture and a line of text that runs across the
        // columns to the row's end.
        p.setClipRect(row);
        const int icon = index.data(MemoRowsModel::kIconRole).toInt();
        p.drawPixmap(iconRect.topLeft(), rowIconPixmap(icon, ratio));
        p.setPen(model.defaultTextColour());
        QRect line = label;
        line.setRight(row.right());
        drawText(p, line.adjusted(space / 2, 0, -space, 0), index.data().toString());
        p.restore();
        if (look.gridLines) {
            p.save();
            p.setPen(kGridColour);
            p.drawLine(row.left(), row.bottom(), row.right(), row.bottom());
            for (const QRect& column : geometry.columns)
                p.drawLine(column.right(), row.top(), column.right(), row.bottom());
            p.restore();
        }
        return;
    }

    const QString title = model.data(index.siblingAtColumn(0)).toString();
    const int titleLeft = label.left() + space / 2;
    const int titleEnd = std::min(titleLeft + metrics.horizontalAdvance(title), label.right() + 1);
    const int highlightEnd = std::min(titleEnd + space, label.right() + 1);
    const bool highlighted =
        (look.selected || look.dropHighlighted) && !(look.focused && look.editorOpen);
    const bool active = look.focusWindow && !look.editorOpen;
    const QColor background = rowBackgroundColour(*note, *item);

    // Background: the note's, then the bands of coloured ancestors, then the
    // row's own colour from the end of the title on.
    p.fillRect(row, colourFromNote(note->View().backgroundColour));
    if (look.memoList) {
        const int bandsEnd = highlighted ? label.left() : titleEnd;
        for (const BackgroundStrip& strip :
             backgroundStrips(*note, *item, iconRect.left(), bandsEnd))
            fillSpan(p, row, std::max(strip.left, row.left()), strip.right, strip.colour);
        fillSpan(p, row, titleEnd, row.right() + 1, background);
    } else {
        p.fillRect(row, background);
    }
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    if (highlighted) {
        const int weight = active ? kActiveHighlightWeight : kInactiveHighlightWeight;
        fillSpan(p, row, label.left(), highlightEnd, blendColour(background, highlight, weight));
    }

    // Pictures.
    p.save();
    p.setClipRect(first);
    const int state = index.data(MemoRowsModel::kStateImageRole).toInt();
    if (state != StateImage::kNone)
        p.drawPixmap(stateRect.topLeft(), stateImagePixmap(state, ratio));
    QPixmap icon = rowIconPixmap(index.data(MemoRowsModel::kIconRole).toInt(), ratio);
    if (look.cut)
        icon = tinted(icon, background);
    if (highlighted)
        icon = tinted(icon, highlight);
    p.drawPixmap(iconRect.topLeft(), icon);
    p.restore();

    // Texts.
    const QColor ownText = item->HasOwnTextColour() ? colourFromNote(item->ForegroundColour())
                                                    : model.defaultTextColour();
    const RowTextColours textColours = rowTextColours(
        ownText, highlighted, active, palette.color(QPalette::Active, QPalette::HighlightedText));
    p.setPen(textColours.title);
    if (!look.editingRow) {
        p.save();
        p.setClipRect(first);
        drawText(p,
                 QRect(titleLeft, row.top(), label.right() + 1 - space - titleLeft, row.height()),
                 title);
        p.restore();
    }
    for (std::size_t column = 1; column < geometry.columns.size(); ++column) {
        const QString text = model.data(index.siblingAtColumn(int(column))).toString();
        const QRect& cell = geometry.columns[column];
        p.save();
        p.setClipRect(cell);
        p.setPen(textColours.columns);
        const int left = cell.left() + (3 * space) / 2;
        drawText(p, QRect(left, row.top(), cell.right() + 1 - left, row.height()), text);
        p.restore();
    }

    // The focus mark: a dotted frame round the title area in the active list;
    // a dotted underline in the memo list when it is not active.
    if (look.focused && !look.editorOpen) {
        p.save();
        p.setClipRect(first);
        p.setPen(dottedPen(textColours.title));
        p.setBrush(Qt::NoBrush);
        const QRect area(label.left(), row.top(), highlightEnd - label.left(), row.height());
        if (active) {
            p.drawRect(area.adjusted(0, 0, -1, -1));
        } else if (look.memoList) {
            p.drawLine(area.left(), row.bottom() - 1, area.right(), row.bottom() - 1);
        }
        p.restore();
    }

    if (item->IsStruckOut()) {
        const int middle = label.top() + label.height() / 2;
        p.fillRect(QRect(label.left(), middle, row.right() + 1 - label.left(), 1), ownText);
    }

    if (look.gridLines) {
        p.setPen(kGridColour);
        p.drawLine(row.left(), row.bottom(), row.right(), row.bottom());
        for (const QRect& column : geometry.columns)
            p.drawLine(column.right(), row.top(), column.right(), row.bottom());
    }
    p.restore();
}

QSize ListRowPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    const int height = std::max(kImageSize + 1, option.fontMetrics.height() + 3);
    return QSize(kDefaultMemoColumnWidth, height);
}

QWidget* ListRowPainter::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
    auto* editor = new TitleEditor(parent);
    auto* self = const_cast<ListRowPainter*>(this);
    connect(editor, &TitleEditor::moveRequested, self,
            [self, editor](int direction) { emit self->editorMoveRequested(editor, direction); });
    emit self->editorOpened(editor);
    return editor;
}

void ListRowPainter::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const QString title = index.data(Qt::EditRole).toString();
        line->setText(title);
        // All selected with the cursor at the start, so that a long title
        // shows its beginning.
        line->setSelection(int(title.size()), -int(title.size()));
    }
}

void ListRowPainter::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    auto* rows = qobject_cast<MemoRowsModel*>(model);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!rows || !line)
        return;
    const tidemark::ItemId id = rows->itemId(index);
    if (id != tidemark::kNoItem)
        emit const_cast<ListRowPainter*>(this)->titleEdited(id, line->text());
}

void ListRowPainter::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex&) const {
    // The view's rectangle for the first column already leaves out the
    // indentation.
    editor->setGeometry(labelRect(option.rect, 0));
}
