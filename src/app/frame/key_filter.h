#pragma once

#include <QObject>

class MainWindow;

// Keys the main window takes before any pane or shortcut sees them: Tab and
// Shift+Tab move between the panes (in the text pane only with Ctrl, where a
// plain Tab is typed). Installed on the application object.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    explicit KeyFilter(MainWindow& window, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& m_window;
};
