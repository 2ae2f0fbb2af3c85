#include "app/frame/key_filter.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

#include "app/frame/main_window.h"
#include "app/frame/pane_area.h"
#include "app/text/memo_text_view.h"

KeyFilter::KeyFilter(MainWindow& window, QObject* parent) : QObject(parent), m_window(window) {}

bool KeyFilter::isCommandKey(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(key.key())));
    for (const QAction* action : m_window.actions()) {
        if (action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // A key given to a command runs the command wherever the focus is
        // in the window: the text pane and the title edit box keep only the
        // keys no command has (Shift+Enter, or a plain letter a user gave
        // to a command, would otherwise be typed).
        if (!isCommandKey(*key))
            return false;
        key->ignore();
        return true;
    }
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
