// A window stand-in for the instance bus tests and benchmark: joins the bus
// in a given folder and answers queries as scripted, appending one line per
// query it gets to a log file.
//
//   tidemark_instance_peer --folder DIR --log FILE [--holds PATH] [--resident] [--hang]
//
// --holds PATH  answers yes to "do you hold" for PATH
// --resident    answers yes to "are you resident" and "default note changed"
// --hang        logs the first query, then stops answering anything (its event
//               loop blocks) until it is killed
//
// Log lines: "recent PATH", "holds ITEM PATH", "settings APPLY", "scripts",
// "front", "close", "resident", "default", each after "hang " with --hang.
// After "close" the program ends.

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/instance_bus/instance_query_handler.h"
#include "platform/instance_bus/local_instance_bus.h"

namespace {

class ScriptedHandler : public InstanceQueryHandler {
public:
    ScriptedHandler(const QString& logPath, QString holds, bool resident, bool hang)
        : m_log(logPath), m_holds(std::move(holds)), m_resident(resident), m_hang(hang) {}

    bool open() { return m_log.open(QIODevice::WriteOnly | QIODevice::Append); }

    void addRecentPath(const QString& path) override { note(QStringLiteral("recent ") + path); }
    bool holdsNote(const QString& path, tidemark::ItemId showItem) override {
        note(QStringLiteral("holds %1 %2").arg(showItem).arg(path));
        return !m_holds.isEmpty() && path == m_holds;
    }
    void reloadSettings(bool apply) override {
        note(QStringLiteral("settings %1").arg(apply ? 1 : 0));
    }
    void scriptsChanged() override { note(QStringLiteral("scripts")); }
    void bringToFront() override { note(QStringLiteral("front")); }
    void close() override {
        note(QStringLiteral("close"));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    bool isResident() override {
        note(QStringLiteral("resident"));
        return m_resident;
    }
    bool defaultNoteChanged() override {
        note(QStringLiteral("default"));
        return m_resident;
    }

private:
    void note(const QString& line) {
        m_log.write(((m_hang ? QStringLiteral("hang ") : QString()) + line + u'\n').toUtf8());
        m_log.flush();
        while (m_hang)
            std::this_thread::sleep_for(std::chrono::seconds(1));
    }

    QFile m_log;
    QString m_holds;
    bool m_resident;
    bool m_hang;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    auto valueOf = [&](const char* name) {
        const qsizetype at = arguments.indexOf(QString::fromLatin1(name));
        return at >= 0 ? arguments.value(at + 1) : QString();
    };
    const QString folder = valueOf("--folder");
    const QString log = valueOf("--log");
    if (folder.isEmpty() || log.isEmpty()) {
        std::fprintf(stderr,
                     "usage: --folder DIR --log FILE [--holds PATH] [--resident] [--hang]\n");
        return 2;
    }
    ScriptedHandler handler(log, valueOf("--holds"),
                            arguments.contains(QStringLiteral("--resident")),
                            arguments.contains(QStringLiteral("--hang")));
    if (!handler.open()) {
        std::fprintf(stderr, "cannot write the log\n");
        return 3;
    }
    LocalInstanceBus bus(handler);
    if (!bus.start(folder)) {
        QTextStream(stderr) << bus.error() << '\n';
        return 4;
    }
    return app.exec();
}
