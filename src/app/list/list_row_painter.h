#pragma once

#include <QColor>
#include <QStyledItemDelegate>
#include <vector>

#include "core/model/item_id.h"

class MemoRowsModel;
class TitleEditor;

namespace tidemark {
class Item;
class Note;
}  // namespace tidemark

// Per channel: (base × (256 − weight) + over × weight) / 256.
QColor blendColour(const QColor& base, const QColor& over, int weight);
// The text colour of a highlighted row in an active list: per channel
// (24 × (255 − text) + 232 × highlightText) / 256.
QColor highlightedTextColour(const QColor& text, const QColor& highlightText);

// The pens of a row's texts. `text` is the item's own text colour or the
// note's; `highlightText` the system's highlight-text colour. A highlighted
// row in an active list writes its title in the highlighted text colour;
// the other columns, outside the highlight, keep `text`.
struct RowTextColours {
    QColor title;    // the title, the focus mark
    QColor columns;  // remarks, modified time, body preview
};
RowTextColours rowTextColours(const QColor& text, bool highlighted, bool active,
                              const QColor& highlightText);

// How the highlight blends into a row's background.
inline constexpr int kActiveHighlightWeight = 160;
inline constexpr int kInactiveHighlightWeight = 48;
// Width of one level of indentation in the memo list.
inline constexpr int kLevelWidth = 16;

// A strip of a row's background: [left, right) in one colour.
struct BackgroundStrip {
    int left;
    int right;
    QColor colour;
};

// The background of a memo list row below the title area: walking from the
// item up to (not including) the root, the cursor starts at `iconLeft` and
// moves kLevelWidth to the left for each level; each item on the way with
// its own background colour fills from the cursor to the left edge of the
// strip before it (at first `right`). Nearest item first.
std::vector<BackgroundStrip> backgroundStrips(const tidemark::Note& note,
                                              const tidemark::Item& item, int iconLeft, int right);
// The colour behind a row's text: the nearest item up the tree (itself
// first, the root left out) with its own background colour, else the note's.
QColor rowBackgroundColour(const tidemark::Note& note, const tidemark::Item& item);

// What the list knows about a row beyond the item.
struct RowLook {
    bool memoList = true;  // nested bands, the focus underline
    int level = 0;         // the memo list's indentation level (depth − 1)
    bool selected = false;
    bool dropHighlighted = false;
    bool focused = false;      // the list's focus rests on this row
    bool cut = false;          // ghosted: cut to the clipboard
    bool editorOpen = false;   // a title edit box is open in the list
    bool editingRow = false;   // ... on this row
    bool focusWindow = false;  // the list is the FocusWindow
    bool gridLines = false;
};

// Where a row lies: the whole row and each column, in viewport coordinates.
struct RowGeometry {
    QRect row;
    std::vector<QRect> columns;
};

// Paints the rows of both memo lists entirely (the lists draw nothing of
// their own), and makes the title edit box. Titles edited in place are not
// written into the model: titleEdited reports them to whoever applies them.
class ListRowPainter : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListRowPainter(QObject* parent = nullptr);

    void paintRow(QPainter* painter, const QWidget* list, const MemoRowsModel& model,
                  const QModelIndex& index, const RowGeometry& geometry, const RowLook& look) const;
    // The rectangle of the title text area (state image and icon excluded)
    // within the first column's rectangle.
    static QRect labelRect(const QRect& firstColumn, int indent);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

signals:
    // The title edit box of `item` was confirmed with `text`.
    void titleEdited(tidemark::ItemId item, const QString& text);
    // A title edit box opened (the window refreshes its menus while it is
    // used).
    void editorOpened(TitleEditor* editor);
    // Up or Down in the edit box: edit the row above (-1) or below (+1).
    void editorMoveRequested(QWidget* editor, int direction);
};
