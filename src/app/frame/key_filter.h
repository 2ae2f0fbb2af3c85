#pragma once

#include <QObject>

class QKeyEvent;

class MainWindow;

// Keys the main window takes before any pane or shortcut sees them: Tab and
// Shift+Tab move between the panes (in the text pane only with Ctrl, where a
// plain Tab is typed), and keys given to commands reach their commands
// before the focused widget's own handling. Installed on the application
// object.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    explicit KeyFilter(MainWindow& window, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The key is the shortcut of one of the window's commands.
    bool isCommandKey(const QKeyEvent& key) const;

    MainWindow& m_window;
};
