#include "app/frame/pane_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "app/list/group_content_list.h"
#include "app/list/memo_list.h"
#include "app/text/memo_text_view.h"

namespace {

// The bar shown while the splitter is dragged: a checker pattern.
class DragBar : public QWidget {
public:
    explicit DragBar(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(palette().color(QPalette::WindowText), Qt::Dense4Pattern));
    }
};

void place(QWidget* pane, const QRect& rect) {
    if (rect.isNull()) {
        pane->hide();
        pane->setGeometry(0, 0, 0, 0);
    } else {
        pane->setGeometry(rect);
        pane->show();
    }
}

// The splitter is there only while two panes share the area.
bool splitterUsable(PaneLayout layout, const PaneGeometry& geometry) {
    return layout != PaneLayout::kAlternate &&
           (!geometry.memoText.isNull() || !geometry.groupList.isNull());
}

}  // namespace

PaneArea::PaneArea(QWidget* parent)
    : QWidget(parent),
      m_memoList(new MemoList(this)),
      m_groupList(new GroupContentList(this)),
      m_memoText(new MemoTextView(this)),
      m_dragBar(new DragBar(this)),
      m_bar(std::max(3, style()->pixelMetric(QStyle::PM_SplitterWidth))) {
    setObjectName(QStringLiteral("paneArea"));
    setMouseTracking(true);
    connect(&m_animation, &HideEditorAnimation::stepped, this, &PaneArea::relayout);
    connect(&m_animation, &HideEditorAnimation::finished, this, &PaneArea::onAnimationFinished);
}

void PaneArea::setLayoutMode(PaneLayout layout) {
    m_layout = layout;
    relayout();
}

void PaneArea::setSplitter(int position) {
    m_splitter = position;
    relayout();
}

void PaneArea::setHideEditor(bool hide, bool slowly) {
    m_hideEditor = hide;
    m_hideSlowly = slowly;
    m_animation.stop();
    m_collapsed = hide && !m_memoText->holdsMemo();
    relayout();
}

void PaneArea::setFocusedItemKind(bool isMemo, bool isGroup) {
    m_focusedIsGroup = isGroup;
    if (!m_hideEditor || m_layout == PaneLayout::kAlternate) {
        relayout();
        return;
    }
    const bool collapse = !isMemo;
    if (collapse == m_collapsed && !m_animation.isRunning()) {
        relayout();
        return;
    }
    const int full = paneAxisLength(m_layout, size()) + m_bar;
    const int current = m_animation.extent().value_or(m_collapsed ? full : m_splitter);
    m_collapsed = false;  // while moving, the second pane shows
    m_animation.run(collapse, current, full, m_splitter, m_hideSlowly);
    relayout();
}

void PaneArea::onAnimationFinished(bool collapsed) {
    m_collapsed = collapsed;
    relayout();
}

void PaneArea::relayout() {
    PaneLayoutInput input;
    input.area = size();
    input.layout = m_layout;
    input.splitter = m_splitter;
    input.bar = m_bar;
    input.memoShown = m_memoText->holdsMemo();
    input.focusedIsGroup = m_focusedIsGroup && !m_hideEditor;
    input.listCoversArea = m_hideEditor && m_collapsed;
    input.animatedExtent = m_animation.extent();
    // Sizes before the window is shown are provisional; a splitter checked
    // against them would be reset for nothing.
    if (!isVisible() || input.area.isEmpty())
        return;
    m_geometry = computePaneGeometry(input);

    QWidget* focused = focusWidget();
    place(m_memoList, m_geometry.memoList);
    place(m_groupList, m_geometry.groupList);
    place(m_memoText, m_geometry.memoText);
    if (focused && !focused->isVisible()) {
        if (m_memoText->isVisible() && m_layout == PaneLayout::kAlternate) {
            m_memoText->setFocus();
        } else {
            m_memoList->setFocus();
        }
    }
    if (m_geometry.splitterReset) {
        m_splitter = m_geometry.splitter;
        emit splitterMoved(m_splitter);
    }
}

void PaneArea::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    relayout();
}

void PaneArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

int PaneArea::axisCoordinate(const QPoint& point) const {
    return m_layout == PaneLayout::kSideBySide ? point.x() : point.y();
}

int PaneArea::axisLength() const {
    return paneAxisLength(m_layout, size());
}

void PaneArea::mouseMoveEvent(QMouseEvent* event) {
    const int coordinate = axisCoordinate(event->position().toPoint());
    if (m_drag.isActive()) {
        showDragBar(m_drag.barStart(coordinate, axisLength()));
        return;
    }
    if (splitterUsable(m_layout, m_geometry) &&
        SplitterDrag::isOverBar(coordinate, m_splitter, m_bar)) {
        setCursor(m_layout == PaneLayout::kStacked ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void PaneArea::mousePressEvent(QMouseEvent* event) {
    const int coordinate = axisCoordinate(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !splitterUsable(m_layout, m_geometry) ||
        !SplitterDrag::isOverBar(coordinate, m_splitter, m_bar)) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_drag.begin(coordinate, m_splitter, m_bar);
    showDragBar(m_drag.barStart(coordinate, axisLength()));
}

void PaneArea::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_drag.isActive()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragBar->hide();
    m_splitter = m_drag.finish(axisCoordinate(event->position().toPoint()), axisLength());
    relayout();
    emit splitterMoved(m_splitter);
}

void PaneArea::showDragBar(int start) {
    if (m_layout == PaneLayout::kSideBySide) {
        m_dragBar->setGeometry(start, 0, m_bar, height());
    } else {
        m_dragBar->setGeometry(0, start, width(), m_bar);
    }
    m_dragBar->raise();
    m_dragBar->show();
}
