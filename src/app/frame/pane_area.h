#pragma once

#include <QWidget>

#include "app/frame/hide_editor_animation.h"
#include "app/frame/pane_layout.h"
#include "app/frame/splitter_drag.h"

class GroupContentList;
class MemoList;
class MemoTextView;

// The main window's central area: the memo list and, beside or below it,
// the second pane (the text pane for a memo, the group list for a memo
// group), or one of them at a time in the alternate layout. Owns the three
// panes, the splitter between them and the hide-editor animation.
class PaneArea : public QWidget {
    Q_OBJECT
public:
    explicit PaneArea(QWidget* parent = nullptr);

    MemoList* memoList() const { return m_memoList; }
    GroupContentList* groupList() const { return m_groupList; }
    MemoTextView* memoText() const { return m_memoText; }

    PaneLayout layoutMode() const { return m_layout; }
    void setLayoutMode(PaneLayout layout);
    int splitter() const { return m_splitter; }
    void setSplitter(int position);
    int barThickness() const { return m_bar; }

    // The hide-editor setting and its slow variant.
    void setHideEditor(bool hide, bool slowly);
    bool hideEditor() const { return m_hideEditor; }
    // The focused item of the memo list changed: a memo, a memo group, or
    // nothing. Starts the hide animation where the setting asks for it.
    void setFocusedItemKind(bool isMemo, bool isGroup);
    bool isAnimating() const { return m_animation.isRunning(); }

    // Places the panes for the current state.
    void relayout();
    const PaneGeometry& geometryInEffect() const { return m_geometry; }

signals:
    // The splitter moved (dragged, or reset to half the area): the note
    // stores the position.
    void splitterMoved(int position);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int axisCoordinate(const QPoint& point) const;
    int axisLength() const;
    void showDragBar(int start);
    void onAnimationFinished(bool collapsed);

    MemoList* m_memoList;
    GroupContentList* m_groupList;
    MemoTextView* m_memoText;
    QWidget* m_dragBar;
    PaneLayout m_layout = PaneLayout::kSideBySide;
    int m_splitter = 0;
    int m_bar;
    bool m_hideEditor = false;
    bool m_hideSlowly = false;
    bool m_collapsed = false;  // the list covers the second pane
    bool m_focusedIsGroup = false;
    SplitterDrag m_drag;
    HideEditorAnimation m_animation;
    PaneGeometry m_geometry;
};
