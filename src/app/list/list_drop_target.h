#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

#include "core/model/item_id.h"
#include "core/settings/drag_scroll_source.h"

class MemoRowsView;
class QDropEvent;
class QMimeData;
class QWidget;

// Where a drop would go in a list: before or after a row's item, inside a
// memo group (over its pictures), or past the last row.
struct DropSpot {
    enum class Where { kBefore, kAfter, kInside, kEnd };
    tidemark::ItemId item = tidemark::kNoItem;  // 0 with kEnd
    Where where = Where::kEnd;
    friend bool operator==(const DropSpot&, const DropSpot&) = default;
};

// What is being dragged over a list, for the status bar.
enum class DragKind { kNone, kItems, kFiles };

// A memo list as a drop target: which data it takes (items, text, links and
// files), the spot under the pointer with its feedback, scrolling up or down
// in the bands along the top and bottom edges after a rest, and opening a
// memo group the pointer rests on. What a drop does is the window's part
// (`setDropHandler`).
class ListDropTarget : public QObject {
    Q_OBJECT
public:
    using DropHandler = std::function<bool(const QMimeData*, DropSpot, Qt::DropAction)>;

    ListDropTarget(MemoRowsView& view, tidemark::DragScrollValues scrolling);

    // Called with the data, the spot and the effect; true when it took them.
    void setDropHandler(DropHandler handler) { m_drop = std::move(handler); }
    // Spots that refuse a drop with an effect (a move onto the items being
    // moved out of this window).
    using Refusal = std::function<bool(DropSpot, Qt::DropAction)>;
    void setRefusal(Refusal refuses) { m_refuses = std::move(refuses); }

    // Milliseconds of a steady clock, for the rests on a row (a monotonic
    // clock unless a test sets its own).
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { m_now = std::move(clock); }

    static DragKind kindOf(const QMimeData* data);
    // The spot under `point` (viewport coordinates) of `view`.
    static DropSpot spotAt(const MemoRowsView& view, const QPoint& point);
    DropSpot currentSpot() const { return m_spot; }
    bool isDragOver() const { return m_kind != DragKind::kNone; }

signals:
    // A drag came into the list, whether or not the list takes its data.
    void entered();
    // A drag came over the list (`kind`), or it left or dropped (kNone): a
    // drop's kNone comes after the drop handler has run.
    void dragKindChanged(DragKind kind);
    // The pointer rested on a memo group's pictures long enough to open it.
    void expandRequested(tidemark::ItemId group);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Feedback;

    void enter(QDropEvent* event);
    void move(QDropEvent* event);
    void leave();
    void drop(QDropEvent* event);
    // Copy with Ctrl, move without, of what the source allows.
    static Qt::DropAction effectOf(const QDropEvent* event);
    void scrollStep();
    // Up (-1) or down (+1) for a point in the band along the top or bottom
    // edge; 0 elsewhere. Lists scroll only vertically while dragging.
    int scrollDirection(const QPoint& point) const;
    // The index of the row band under `y` (viewport coordinates), counted
    // from the list's first row whether or not a row is there.
    int rowIndexAt(int y) const;

    MemoRowsView& m_view;
    tidemark::DragScrollValues m_scrolling;
    DropHandler m_drop;
    Refusal m_refuses;
    Feedback* m_feedback;
    DragKind m_kind = DragKind::kNone;
    DropSpot m_spot;
    QPoint m_point;
    Clock m_now;
    int m_row = 0;              // the row index under the pointer
    qint64 m_rowSince = 0;      // when the pointer came to that row
    qint64 m_restNeeded = 500;  // the rest that opens a group
    QElapsedTimer m_inBand;     // since the pointer came into the edge band
    QTimer m_scrollTimer;
};
