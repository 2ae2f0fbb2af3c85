#include "app/frame/hide_editor_animation.h"

#include <algorithm>
#include <cstdlib>

int nextHideEditorExtent(int current, bool collapsing, int full, int pos, bool slow) {
    const int distance = std::abs(full - pos);
    const int step = slow ? std::max(1, distance / 4) : std::max(1, distance);
    return collapsing ? std::min(full, current + step) : std::max(pos, current - step);
}

HideEditorAnimation::HideEditorAnimation(QObject* parent) : QObject(parent) {
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &HideEditorAnimation::tick);
}

void HideEditorAnimation::run(bool collapsing, int current, int full, int pos, bool slow) {
    m_collapsing = collapsing;
    m_current = current;
    m_full = full;
    m_pos = pos;
    m_slow = slow;
    if (!m_timer.isActive())
        m_timer.start();
}

void HideEditorAnimation::stop() {
    m_timer.stop();
}

std::optional<int> HideEditorAnimation::extent() const {
    if (!m_timer.isActive())
        return std::nullopt;
    return m_current;
}

void HideEditorAnimation::tick() {
    m_current = nextHideEditorExtent(m_current, m_collapsing, m_full, m_pos, m_slow);
    const int target = m_collapsing ? m_full : m_pos;
    if (m_current == target) {
        m_timer.stop();
        emit finished(m_collapsing);
        return;
    }
    emit stepped();
}
