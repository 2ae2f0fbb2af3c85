#include "app/script/script_progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "app/script/script_texts.h"

ScriptProgressWindow::ScriptProgressWindow(const QString& scriptName, QWidget* owner)
    : QDialog(owner),
      m_cancel(new QPushButton(scriptText("progress.cancel"), this)),
      m_console(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("scriptProgress"));
    setWindowTitle(scriptText("progress.title"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(scriptText("progress.script"), this));
    auto* name = new QLabel(scriptName, this);
    name->setObjectName(QStringLiteral("scriptName"));
    row->addWidget(name, 1);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    row->addWidget(m_cancel);
    layout->addLayout(row);
    m_console->setObjectName(QStringLiteral("console"));
    m_console->setReadOnly(true);
    m_console->setMaximumBlockCount(0);
    m_console->hide();
    layout->addWidget(m_console, 1);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_cancel->setEnabled(false);
        emit cancelRequested();
    });
}

void ScriptProgressWindow::reject() {
    // Escape and the close button ask as Cancel does; the run closes the window.
    if (m_cancel->isEnabled())
        m_cancel->click();
}

void ScriptProgressWindow::appendConsole(const QString& text) {
    if (m_console->isHidden()) {
        m_console->show();
        resize(width(), std::max(height(), 240));
    }
    QString all = m_console->toPlainText() + text;
    if (all.size() > kConsoleLimit)
        all.truncate(kConsoleLimit);
    m_console->setPlainText(all);
    m_console->moveCursor(QTextCursor::End);
}

QString ScriptProgressWindow::consoleText() const {
    return m_console->toPlainText();
}
