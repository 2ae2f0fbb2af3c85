#include "app/frame/key_filter.h"

#include <QKeyEvent>
#include <QWidget>

#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/text/memo_text_view.h"

KeyFilter::KeyFilter(MainWindow& window, QObject* parent) : QObject(parent), m_window(window) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
        return false;
    if (key->modifiers() & Qt::AltModifier)
        return false;
    const bool control = key->modifiers() & Qt::ControlModifier;
    // In the text pane a plain Tab is typed.
    const QWidget* text = m_window.panes()->memoText();
    if (!control && (widget == text || text->isAncestorOf(widget)))
        return false;
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    m_window.focusNextPane(forward);
    return true;
}
