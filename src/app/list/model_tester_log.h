#pragma once

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

// For tests: collects what QAbstractItemModelTester reports (in its warning
// mode) while it lives, so that a test can expect silence from it. Other
// messages go where they went before.
class ModelTesterLog {
public:
    ModelTesterLog() {
        s_messages.clear();
        s_previous = qInstallMessageHandler(&ModelTesterLog::handle);
    }
    ~ModelTesterLog() { qInstallMessageHandler(s_previous); }
    ModelTesterLog(const ModelTesterLog&) = delete;
    ModelTesterLog& operator=(const ModelTesterLog&) = delete;

    const QStringList& messages() const { return s_messages; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (context.category && QByteArray(context.category).startsWith("qt.modeltest")) {
            s_messages << text;
        } else if (s_previous) {
            s_previous(type, context, text);
        }
    }
    static inline QStringList s_messages;
    static inline QtMessageHandler s_previous = nullptr;
};
