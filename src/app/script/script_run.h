#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QJSEngine;
class QJSValue;
class QWidget;
class GuiCalls;
class ScriptProgressWindow;
class WindowContext;

namespace tidemark {
class FolderServices;
class NoteObject;
class WindowAutomation;
}  // namespace tidemark

// Prints a text the way the window prints a note (the print dialog, then the
// pages); true when printing ran. GUI thread.
using ScriptTextPrinter = std::function<bool(const QString& text)>;

// An error the script did not handle, as the error box shows it.
struct ScriptFailure {
    QString source;
    QString description;
    int line = 0;       // the first line is 1
    int character = 0;  // the first character is 1; 0 when the engine does not tell
};

// One run of a script against the window's note. exec() runs the engine
// on a thread of its own while the window's thread keeps dispatching
// events with the window busy; the script's calls on the note and its
// dialogs come over to the window's thread one at a time, so the note is
// never touched by both. Objects of the window's thread only.
class ScriptRun : public QObject {
    Q_OBJECT
public:
    ScriptRun(WindowContext& context, tidemark::WindowAutomation& automation,
              tidemark::FolderServices& folders, ScriptTextPrinter printer, QString displayName,
              QString path, QString text);
    ~ScriptRun() override;

    // Runs to the end; afterwards failure() tells what the script left
    // unhandled (nothing after Quit).
    void exec();
    const std::optional<ScriptFailure>& failure() const { return m_failure; }

    // For TMScript, called on the window's thread.
    const QString& displayName() const { return m_displayName; }
    const QString& path() const { return m_path; }
    WindowContext& context() const { return m_context; }
    std::shared_ptr<tidemark::NoteObject> windowNote() const;
    void appendConsole(const QString& text);
    void print(const QString& text);
    // The progress window's console text so far.
    QString consoleText() const;

    // Any thread: stops the script; Quit ends quietly, cancel with 20036.
    void requestQuit();
    void cancel();
    bool cancelRequested() const { return m_cancelled; }

private:
    void work();
    void entered();
    void interrupt();
    static ScriptFailure failureOf(const QJSValue& error);
    static int characterOf(const QStringList& trace);

    WindowContext& m_context;
    tidemark::WindowAutomation& m_automation;
    tidemark::FolderServices& m_folders;
    ScriptTextPrinter m_printer;
    QString m_displayName;
    QString m_path;
    QString m_text;
    QPointer<ScriptProgressWindow> m_progress;
    std::unique_ptr<GuiCalls> m_guiCalls;
    std::optional<ScriptFailure> m_failure;

    std::mutex m_engineLock;
    QJSEngine* m_engine = nullptr;  // while the script's thread has one
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_cancelled{false};
};
