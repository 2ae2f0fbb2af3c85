// Times one "do you hold this note" query over 10 other windows (real
// processes: the instance bus test peer), answered by the last one asked; then
// the same with one of the ten hanging, which costs the answer bound once.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/instance_bus/instance_query_handler.h"
#include "platform/instance_bus/local_instance_bus.h"

using tidemark::instance::MessageKind;

namespace {

class Unasked : public InstanceQueryHandler {
public:
    void addRecentPath(const QString&) override {}
    bool holdsNote(const QString&, tidemark::ItemId) override { return false; }
    void reloadSettings(bool) override {}
    void scriptsChanged() override {}
    void bringToFront() override {}
    void close() override {}
    bool isResident() override { return false; }
    bool defaultNoteChanged() override { return false; }
};

const QString kNote = QStringLiteral("/home/u/ノート/日記.tmk");

// Ten peers, started one after the other; the last holds kNote. Process ids
// grow, so it is also the last asked (the figures say how many were asked).
// With `hanging`, the first hangs at its first query.
class Peers {
public:
    Peers(const QTemporaryDir& temp, const QString& folder, bool hanging) {
        for (int i = 0; i < 10; ++i) {
            QStringList arguments{QStringLiteral("--folder"), folder, QStringLiteral("--log"),
                                  temp.filePath(QStringLiteral("peer-%1.log").arg(i))};
            if (i == 9)
                arguments << QStringLiteral("--holds") << kNote;
            if (i == 0 && hanging)
                arguments << QStringLiteral("--hang");
            auto process = std::make_unique<QProcess>();
            process->setProcessChannelMode(QProcess::ForwardedChannels);
            process->start(QStringLiteral(TIDEMARK_INSTANCE_PEER), arguments);
            process->waitForStarted();
            m_processes.push_back(std::move(process));
        }
        for (const auto& process : m_processes) {
            const QString socket = instanceSocketPath(folder, process->processId());
            QDeadlineTimer deadline(10000);
            while (!QFileInfo::exists(socket) && !deadline.hasExpired())
                QThread::msleep(2);
        }
    }
    ~Peers() {
        for (const auto& process : m_processes) {
            process->kill();
            process->waitForFinished();
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void timeQueries(LocalInstanceBus& bus, const char* what, int runs) {
    std::vector<double> times;
    bool found = true;
    int asked = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const InstanceQueryResult result = bus.query(MessageKind::HoldsNote, kNote, 5);
        times.push_back(millisecondsSince(start));
        found = found && result.found;
        asked = static_cast<int>(result.answered.size() + result.skipped.size());
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "%s: median %.2f ms, min %.2f ms, max %.2f ms over %d queries (%d windows asked%s)\n", what,
        times[times.size() / 2], times.front(), times.back(), runs, asked,
        found ? "" : ", NOT FOUND");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    Unasked handler;
    {
        const QString folder = temp.filePath(QStringLiteral("all-answer"));
        LocalInstanceBus bus(handler);
        if (!bus.start(folder)) {
            std::fprintf(stderr, "%s\n", qPrintable(bus.error()));
            return 1;
        }
        Peers peers(temp, folder, false);
        bus.query(MessageKind::HoldsNote, kNote, 5);  // warm-up
        timeQueries(bus, "hold-note query, 10 windows, the last one holds it", 50);
    }
    {
        const QString folder = temp.filePath(QStringLiteral("one-hangs"));
        LocalInstanceBus bus(handler);
        if (!bus.start(folder))
            return 1;
        Peers peers(temp, folder, true);
        timeQueries(bus, "the same with one of the 10 hanging", 3);
    }
    return 0;
}
