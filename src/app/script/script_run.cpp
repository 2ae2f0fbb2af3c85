#include "app/script/script_run.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QJSEngine>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>
#include <algorithm>

#include "app/common/message_box.h"
#include "app/common/ui_strings.h"
#include "app/context/window_context.h"
#include "app/script/gui_calls.h"
#include "app/script/script_bridge.h"
#include "app/script/script_host_object.h"
#include "app/script/script_progress_window.h"
#include "core/automation/automation_error.h"
#include "core/automation/window_automation.h"

namespace {

constexpr std::uint32_t kCancelled = 20036;
constexpr std::uint32_t kNoThread = 20035;

}  // namespace

ScriptRun::ScriptRun(WindowContext& context, tidemark::WindowAutomation& automation,
                     tidemark::FolderServices& folders, ScriptTextPrinter printer,
                     QString displayName, QString path, QString text)
    : m_context(context),
      m_automation(automation),
      m_folders(folders),
      m_printer(std::move(printer)),
      m_displayName(std::move(displayName)),
      m_path(std::move(path)),
      m_text(std::move(text)),
      m_guiCalls(std::make_unique<GuiCalls>()) {}

ScriptRun::~ScriptRun() {
    delete m_progress;
}

std::shared_ptr<tidemark::NoteObject> ScriptRun::windowNote() const {
    return m_automation.GetNote();
}

void ScriptRun::exec() {
    m_progress = new ScriptProgressWindow(m_displayName, m_context.dialogParent());
    connect(m_progress, &ScriptProgressWindow::cancelRequested, this, &ScriptRun::cancel);
    m_context.setBusy(true);
    QThread* thread = QThread::create([this] { work(); });
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (!thread->isRunning() && !thread->isFinished()) {
        // The system gave no thread: nothing ran, and no finish will come.
        delete thread;
        m_context.setBusy(false);
        delete m_progress;
        showMessage(m_context.dialogParent(), MessageKind::kError, uiText(kNoThread));
        return;
    }
    loop.exec();
    thread->wait();
    delete thread;
    m_context.setBusy(false);
    delete m_progress;
}

void ScriptRun::entered() {
    if (m_progress && !m_progress->isVisible())
        m_progress->show();
}

void ScriptRun::appendConsole(const QString& text) {
    if (!m_progress)
        return;
    m_progress->appendConsole(text);
    entered();
}

void ScriptRun::print(const QString& text) {
    if (m_printer)
        m_printer(text);
}

QString ScriptRun::consoleText() const {
    return m_progress ? m_progress->consoleText() : QString();
}

void ScriptRun::requestQuit() {
    m_quit = true;
    interrupt();
}

void ScriptRun::cancel() {
    m_cancelled = true;
    interrupt();
}

void ScriptRun::interrupt() {
    const std::lock_guard<std::mutex> hold(m_engineLock);
    if (m_engine)
        m_engine->setInterrupted(true);
}

ScriptFailure ScriptRun::failureOf(const QJSValue& error) {
    ScriptFailure failure;
    if (error.isError() || error.isObject()) {
        const QJSValue description = error.property(QStringLiteral("description"));
        failure.description = description.isString()
                                  ? description.toString()
                                  : error.property(QStringLiteral("message")).toString();
        const QJSValue source = error.property(QStringLiteral("source"));
        failure.source = source.isString() ? source.toString()
                                           : error.property(QStringLiteral("name")).toString();
        failure.line = error.property(QStringLiteral("lineNumber")).toInt();
    } else {
        failure.description = error.toString();
    }
    return failure;
}

int ScriptRun::characterOf(const QStringList& trace) {
    // The innermost frame reads "function:line:column:file"; the engine
    // tells the column of syntax errors only (-1 otherwise).
    if (trace.isEmpty())
        return 0;
    const QStringList parts = trace.first().split(u':');
    const int column = parts.size() > 2 ? parts[2].toInt() : 0;
    return std::max(column, 0);
}

void ScriptRun::work() {
    // Everything the script made lives and dies on this thread with the engine.
    auto engine = std::make_unique<QJSEngine>();
    {
        ScriptBridge bridge(*engine, *m_guiCalls, m_context.files(), m_folders,
                            m_context.settings());
        engine->globalObject().setProperty(QStringLiteral("TMScript"),
                                           bridge.wrap(new ScriptHostObject(bridge, *this)));
        {
            const std::lock_guard<std::mutex> hold(m_engineLock);
            m_engine = engine.get();
            if (m_quit || m_cancelled)
                engine->setInterrupted(true);
        }
        QMetaObject::invokeMethod(
            this, [this] { entered(); }, Qt::QueuedConnection);
        QStringList trace;
        const QJSValue result = engine->evaluate(m_text, m_path, 1, &trace);
        std::optional<ScriptFailure> failure;
        if (m_cancelled) {
            failure = ScriptFailure{};
            failure->source = QString::fromStdString(tidemark::AutomationError::Source());
            failure->description = QString::fromStdString(tidemark::Raise(kCancelled).Message());
            if (result.isError())
                failure->line = result.property(QStringLiteral("lineNumber")).toInt();
        } else if (!m_quit && (result.isError() || !trace.isEmpty())) {
            failure = failureOf(result);
            failure->character = characterOf(trace);
        }
        {
            const std::lock_guard<std::mutex> hold(m_engineLock);
            m_engine = nullptr;
        }
        engine->setInterrupted(false);
        engine->collectGarbage();
        // The wrappers hand their objects back on the window's thread.
        engine.reset();
        // Wrappers the engine let go of late go now, while the window's
        // thread still answers them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bridge.releaseHeldItems();
        QMetaObject::invokeMethod(
            this, [this, failure] { m_failure = failure; }, Qt::BlockingQueuedConnection);
    }
}
