#include "app/list/list_drop_target.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <memory>

#include "app/common/item_mime_type.h"
#include "app/list/memo_rows_model.h"
#include "app/list/memo_rows_view.h"
#include "core/model/item.h"
#include "core/model/note.h"

using tidemark::ItemId;
using tidemark::kNoItem;

namespace {

// The state image and the row picture come first in a row; a drop left of
// the picture's right edge goes inside a memo group.
constexpr int kPicturesWidth = 32;
// The rest on a row that opens the memo group there; after a group opened,
// the row under the pointer needs the longer one.
constexpr qint64 kRestToOpen = 500;
constexpr qint64 kRestAfterOpening = 1500;

}  // namespace

// The feedback line or frame, drawn over the rows.
class ListDropTarget::Feedback : public QWidget {
public:
    Feedback(QWidget* viewport) : QWidget(viewport) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }
    void show(const QRect& shape, bool frame) {
        m_frame = frame;
        setGeometry(shape);
        QWidget::show();
        raise();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor colour = palette().color(QPalette::Text);
        if (m_frame) {
            painter.setPen(QPen(colour, 2));
            painter.drawRect(rect().adjusted(1, 1, -1, -1));
        } else {
            painter.fillRect(rect(), colour);
        }
    }

private:
    bool m_frame = false;
};

ListDropTarget::ListDropTarget(MemoRowsView& view, tidemark::DragScrollValues scrolling)
    : QObject(&view),
      m_view(view),
      m_scrolling(scrolling),
      m_feedback(new Feedback(view.viewport())) {
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    m_now = [steady] { return steady->elapsed(); };
    view.setAcceptDrops(true);
    view.viewport()->setAcceptDrops(true);
    view.viewport()->installEventFilter(this);
    m_scrollTimer.setInterval(std::max(1, m_scrolling.Interval));
    connect(&m_scrollTimer, &QTimer::timeout, this, &ListDropTarget::scrollStep);
}

DragKind ListDropTarget::kindOf(const QMimeData* data) {
    if (!data)
        return DragKind::kNone;
    if (data->hasFormat(QString::fromLatin1(kItemsMimeType)))
        return DragKind::kItems;
    // File managers offer the paths as text too: files come first here.
    const QList<QUrl> urls = data->urls();
    if (!urls.isEmpty() &&
        std::all_of(urls.cbegin(), urls.cend(), [](const QUrl& url) { return url.isLocalFile(); }))
        return DragKind::kFiles;
    if (data->hasText() || data->hasUrls())
        return DragKind::kItems;
    return DragKind::kNone;
}

DropSpot ListDropTarget::spotAt(const MemoRowsView& view, const QPoint& point) {
    const MemoRowsModel& model = *view.rowsModel();
    QModelIndex index = view.indexAt(QPoint(0, point.y())).siblingAtColumn(0);
    if (index.isValid() && model.itemId(index) != kNoItem) {
        const QRect row = view.visualRect(index);
        const ItemId item = model.itemId(index);
        const tidemark::Item* found = model.note() ? model.note()->FindItem(item) : nullptr;
        if (found && found->IsGroup() && point.x() < row.left() + kPicturesWidth)
            return {item, DropSpot::Where::kInside};
        const bool lower = point.y() > row.top() + row.height() / 2;
        return {item, lower ? DropSpot::Where::kAfter : DropSpot::Where::kBefore};
    }
    // Past the last row: within half a row below it, after its item.
    QModelIndex last;
    for (QModelIndex at = model.index(model.rowCount() - 1, 0); at.isValid();) {
        last = at;
        const int children = model.rowCount(at);
        at = view.isExpanded(at) && children > 0 ? model.index(children - 1, 0, at) : QModelIndex();
    }
    if (last.isValid() && model.itemId(last) != kNoItem) {
        const QRect row = view.visualRect(last);
        if (point.y() < row.bottom() + row.height() / 2)
            return {model.itemId(last), DropSpot::Where::kAfter};
    }
    return {};
}

bool ListDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_view.viewport())
        return false;
    switch (event->type()) {
        case QEvent::DragEnter:
            enter(static_cast<QDropEvent*>(event));
            return true;
        case QEvent::DragMove:
            move(static_cast<QDropEvent*>(event));
            return true;
        case QEvent::DragLeave:
            leave();
            return true;
        case QEvent::Drop:
            drop(static_cast<QDropEvent*>(event));
            return true;
        default:
            return false;
    }
}

Qt::DropAction ListDropTarget::effectOf(const QDropEvent* event) {
    const Qt::DropActions allowed = event->possibleActions();
    const bool copy = allowed & Qt::CopyAction;
    const bool moves = allowed & Qt::MoveAction;
    if (copy && moves)
        return (event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
    if (copy)
        return Qt::CopyAction;
    if (moves)
        return Qt::MoveAction;
    if (allowed & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

void ListDropTarget::enter(QDropEvent* event) {
    emit entered();
    m_kind = kindOf(event->mimeData());
    if (m_kind == DragKind::kNone) {
        event->ignore();
        return;
    }
    m_spot = {};
    m_row = std::numeric_limits<int>::min();  // the first move starts the rest
    m_inBand.invalidate();
    emit dragKindChanged(m_kind);
    move(event);
}

int ListDropTarget::scrollDirection(const QPoint& point) const {
    const QRect inner =
        m_view.viewport()->rect().adjusted(0, 2 * m_scrolling.Inset, 0, -2 * m_scrolling.Inset);
    return point.y() < inner.top() ? -1 : point.y() > inner.bottom() ? 1 : 0;
}

int ListDropTarget::rowIndexAt(int y) const {
    const QRect first = m_view.visualRect(m_view.rowsModel()->index(0, 0));
    if (first.height() <= 0)
        return 0;
    const int below = y - first.top();
    // Rounded down above the first row too.
    return below >= 0 ? below / first.height() : -((-below + first.height() - 1) / first.height());
}

void ListDropTarget::move(QDropEvent* event) {
    m_point = event->position().toPoint();
    // Scrolling starts after a rest in the edge band and then repeats.
    if (scrollDirection(m_point) == 0) {
        m_inBand.invalidate();
        m_scrollTimer.stop();
    } else if (!m_inBand.isValid()) {
        m_inBand.start();
        m_scrollTimer.start(std::max(1, m_scrolling.Delay));
    }

    // Each row the pointer comes to needs the short rest anew; the longer
    // one after opening a group holds only while the pointer stays on the
    // same row (the group list then shows the group's children there).
    const qint64 now = m_now();
    const int rowIndex = rowIndexAt(m_point.y());
    if (rowIndex != m_row) {
        m_row = rowIndex;
        m_rowSince = now;
        m_restNeeded = kRestToOpen;
    }
    const DropSpot spot = spotAt(m_view, m_point);
    m_spot = spot;
    if (spot.where == DropSpot::Where::kInside && now - m_rowSince >= m_restNeeded) {
        m_restNeeded = kRestAfterOpening;
        m_rowSince = now;
        emit expandRequested(spot.item);
    }

    const Qt::DropAction effect = effectOf(event);
    const bool refused = effect == Qt::IgnoreAction || (m_refuses && m_refuses(spot, effect));
    if (refused) {
        m_feedback->hide();
        event->ignore();
        return;
    }
    // The feedback: a frame on a group's pictures, else a bar on the edge.
    const MemoRowsModel& model = *m_view.rowsModel();
    const QModelIndex index = model.indexOf(spot.item);
    const QRect row = index.isValid() ? m_view.visualRect(index) : QRect();
    const int right = m_view.viewport()->width();
    if (spot.where == DropSpot::Where::kInside && row.isValid()) {
        m_feedback->show(QRect(row.left() + 16, row.top(), 16, row.height()), true);
    } else if (row.isValid()) {
        const int edge = spot.where == DropSpot::Where::kBefore ? row.top() : row.bottom() + 1;
        m_feedback->show(QRect(row.left(), edge - 1, right - row.left(), 2), false);
    } else {
        m_feedback->hide();
    }
    event->setDropAction(effect);
    event->accept();
}

void ListDropTarget::leave() {
    m_feedback->hide();
    m_scrollTimer.stop();
    m_kind = DragKind::kNone;
    emit dragKindChanged(DragKind::kNone);
}

void ListDropTarget::drop(QDropEvent* event) {
    const DropSpot spot = spotAt(m_view, event->position().toPoint());
    const Qt::DropAction effect = effectOf(event);
    m_feedback->hide();
    m_scrollTimer.stop();
    const bool taken = effect != Qt::IgnoreAction && !(m_refuses && m_refuses(spot, effect)) &&
                       m_drop && m_drop(event->mimeData(), spot, effect);
    // The drag is over the list until what it brought has gone in.
    leave();
    if (!taken) {
        event->ignore();
        return;
    }
    event->setDropAction(effect);
    event->accept();
}

void ListDropTarget::scrollStep() {
    const int direction = scrollDirection(m_point);
    if (direction == 0 || m_kind == DragKind::kNone) {
        m_scrollTimer.stop();
        return;
    }
    m_scrollTimer.setInterval(std::max(1, m_scrolling.Interval));
    const int step = m_view.sizeHintForRow(0) > 0 ? m_view.sizeHintForRow(0) : 16;
    QScrollBar* vertical = m_view.verticalScrollBar();
    // The bar counts rows when the list scrolls per item.
    const bool perItem = m_view.verticalScrollMode() == QAbstractItemView::ScrollPerItem;
    vertical->setValue(vertical->value() + direction * (perItem ? 1 : step));
}
