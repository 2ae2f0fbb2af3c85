#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The window shown while a script runs ("ツールの実行中..."): the script's
// name, a Cancel button and, once the script writes to it, its console.
class ScriptProgressWindow : public QDialog {
    Q_OBJECT
public:
    // The console keeps at most this many characters.
    static constexpr int kConsoleLimit = 65000;

    ScriptProgressWindow(const QString& scriptName, QWidget* owner);

    // Appends to the console, showing it the first time.
    void appendConsole(const QString& text);
    QString consoleText() const;

signals:
    void cancelRequested();

protected:
    void reject() override;

private:
    QPushButton* m_cancel;
    QPlainTextEdit* m_console;
};
