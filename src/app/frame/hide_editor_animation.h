#pragma once

#include <QObject>
#include <QTimer>
#include <optional>

// One tick of the hide-editor animation: the extent (where the second pane
// starts) moves from `current` toward `full` when collapsing, toward `pos`
// when expanding, by the whole distance between the two or, slowly, by a
// quarter of it (at least one pixel). Never overshoots.
int nextHideEditorExtent(int current, bool collapsing, int full, int pos, bool slow);

// The memo list growing over the second pane, or shrinking back to the
// splitter, one step every 100 ms. The owner lays out on each step and once
// more when it ends.
class HideEditorAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 100;

    explicit HideEditorAnimation(QObject* parent = nullptr);

    // Starts (or turns) the animation from `current` toward full or pos.
    void run(bool collapsing, int current, int full, int pos, bool slow);
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    // The extent while running; nothing when still.
    std::optional<int> extent() const;
    bool collapsing() const { return m_collapsing; }

signals:
    void stepped();
    // Reached its end: the list covers the area (collapsed) or the splitter.
    void finished(bool collapsed);

private:
    void tick();

    QTimer m_timer;
    bool m_collapsing = false;
    int m_current = 0;
    int m_full = 0;
    int m_pos = 0;
    bool m_slow = false;
};
