// The instance bus between real processes: the peers are the scripted window
// stand-in (instance_peer_for_test.cpp), this test process is the window that
// asks.
#include "platform/instance_bus/local_instance_bus.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "core/common/little_endian.h"
#include "platform/instance_bus/instance_query_handler.h"

namespace {

using tidemark::instance::Message;
using tidemark::instance::MessageKind;
using Bytes = std::vector<std::uint8_t>;

// Runs the event loop until `done` holds or ten seconds have passed.
bool waitUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

bool isSocket(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// A socket file with nobody listening: what a process leaves behind when it
// is killed.
void leaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    ASSERT_LT(static_cast<std::size_t>(native.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

QByteArray frame(MessageKind kind, std::uint32_t argument = 0, const std::string& payload = {}) {
    const auto bytes = tidemark::instance::EncodeFrame(Message{kind, argument, payload});
    EXPECT_TRUE(bytes.has_value());
    return bytes ? QByteArray(reinterpret_cast<const char*>(bytes->data()),
                              static_cast<qsizetype>(bytes->size()))
                 : QByteArray();
}

// Records what the asking window itself is sent; it must be sent nothing.
class RecordingHandler : public InstanceQueryHandler {
public:
    void addRecentPath(const QString& path) override { calls << QStringLiteral("recent ") + path; }
    bool holdsNote(const QString& path, tidemark::ItemId) override {
        calls << QStringLiteral("holds ") + path;
        return true;
    }
    void reloadSettings(bool) override { calls << QStringLiteral("settings"); }
    void scriptsChanged() override { calls << QStringLiteral("scripts"); }
    void bringToFront() override { calls << QStringLiteral("front"); }
    void close() override { calls << QStringLiteral("close"); }
    bool isResident() override {
        calls << QStringLiteral("resident");
        return true;
    }
    bool defaultNoteChanged() override {
        calls << QStringLiteral("default");
        return true;
    }
    QStringList calls;
};

struct Peer {
    std::unique_ptr<QProcess> process;
    qint64 pid = 0;
    QString socket;
    QString log;

    QStringList lines() const {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

class InstanceBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        m_folder = m_temp.filePath(QStringLiteral("tidemark"));
        ASSERT_TRUE(m_bus.start(m_folder)) << m_bus.error().toStdString();
    }
    void TearDown() override {
        for (const auto& peer : m_peers) {
            peer->process->kill();
            peer->process->waitForFinished(5000);
        }
    }

    // Starts a peer with the given options and waits until it listens.
    Peer& startPeer(const QStringList& options = {}) {
        auto peer = std::make_unique<Peer>();
        peer->log = m_temp.filePath(QStringLiteral("peer-%1.log").arg(m_peers.size()));
        peer->process = std::make_unique<QProcess>();
        peer->process->setProcessChannelMode(QProcess::ForwardedChannels);
        peer->process->start(
            QStringLiteral(TIDEMARK_INSTANCE_PEER),
            QStringList{QStringLiteral("--folder"), m_folder, QStringLiteral("--log"), peer->log} +
                options);
        EXPECT_TRUE(peer->process->waitForStarted(10000));
        peer->pid = peer->process->processId();
        peer->socket = instanceSocketPath(m_folder, peer->pid);
        QProcess* process = peer->process.get();
        const QString socket = peer->socket;
        EXPECT_TRUE(waitUntil(
            [&] { return isSocket(socket) || process->state() == QProcess::NotRunning; }));
        EXPECT_TRUE(isSocket(socket)) << "the peer did not start listening";
        m_peers.push_back(std::move(peer));
        return *m_peers.back();
    }

    QTemporaryDir m_temp;
    QString m_folder;
    RecordingHandler m_own;
    LocalInstanceBus m_bus{m_own};
    std::vector<std::unique_ptr<Peer>> m_peers;
};

TEST_F(InstanceBusTest, AHoldNoteQueryStopsAtTheFirstWindowThatHoldsTheNote) {
    const QString note = QStringLiteral("/home/u/ノート.tmk");
    const QStringList holds{QStringLiteral("--holds"), note};
    std::vector<Peer*> peers{&startPeer(), &startPeer(holds), &startPeer(), &startPeer(holds)};
    std::sort(peers.begin(), peers.end(), [](Peer* a, Peer* b) { return a->pid < b->pid; });
    const auto firstHolder = std::find_if(peers.begin(), peers.end(), [](Peer* peer) {
        return peer->process->arguments().contains(QStringLiteral("--holds"));
    });

    const InstanceQueryResult result = m_bus.query(MessageKind::HoldsNote, note, 7);

    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.answeredBy, (*firstHolder)->socket);
    for (auto it = peers.begin(); it != peers.end(); ++it) {
        if (it <= firstHolder)
            EXPECT_EQ((*it)->lines(), QStringList{QStringLiteral("holds 7 ") + note});
        else
            EXPECT_TRUE((*it)->lines().isEmpty()) << "asked after the holder answered";
    }
    EXPECT_TRUE(m_own.calls.isEmpty()) << "the asking window asked itself";

    const InstanceQueryResult none =
        m_bus.query(MessageKind::HoldsNote, QStringLiteral("/n/x.tmk"));
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.answered.size(), 4);
}

TEST_F(InstanceBusTest, BroadcastsReachEveryOtherWindow) {
    const Peer& first = startPeer();
    const Peer& second = startPeer(QStringList{QStringLiteral("--resident")});
    // The longest path arrives in several reads.
    const QString longest = u'/' + QString(tidemark::instance::kMaxPayload - 1, u'x');
    const struct {
        MessageKind kind;
        QString payload;
        std::uint32_t argument;
        QString line;
    } cases[] = {
        {MessageKind::AddRecentPath, QStringLiteral("/home/u/日記.tmk"), 0,
         QStringLiteral("recent /home/u/日記.tmk")},
        {MessageKind::ReloadSettings, {}, 1, QStringLiteral("settings 1")},
        {MessageKind::ReloadSettings, {}, 0, QStringLiteral("settings 0")},
        {MessageKind::ScriptsChanged, {}, 0, QStringLiteral("scripts")},
        {MessageKind::BringToFront, {}, 0, QStringLiteral("front")},
        {MessageKind::AddRecentPath, longest, 0, QStringLiteral("recent ") + longest},
    };
    QStringList expected;
    for (const auto& c : cases) {
        const InstanceQueryResult result = m_bus.query(c.kind, c.payload, c.argument);
        EXPECT_EQ(result.answered.size(), 2) << c.line.toStdString();
        EXPECT_FALSE(result.found);
        expected << c.line;
    }
    // One byte longer is not sent at all.
    const InstanceQueryResult tooLong = m_bus.query(MessageKind::AddRecentPath, longest + u'x');
    EXPECT_FALSE(tooLong.error.isEmpty());
    EXPECT_TRUE(tooLong.answered.isEmpty());

    EXPECT_EQ(first.lines(), expected);
    EXPECT_EQ(second.lines(), expected);
    EXPECT_TRUE(m_own.calls.isEmpty());
}

TEST_F(InstanceBusTest, ResidentQuestionsFindTheResidentProcess) {
    startPeer();
    EXPECT_FALSE(m_bus.query(MessageKind::IsResident).found);
    EXPECT_FALSE(m_bus.query(MessageKind::DefaultNoteChanged).found);

    const Peer& resident = startPeer(QStringList{QStringLiteral("--resident")});
    const InstanceQueryResult asked = m_bus.query(MessageKind::IsResident);
    EXPECT_TRUE(asked.found);
    EXPECT_EQ(asked.answeredBy, resident.socket);
    const InstanceQueryResult told = m_bus.query(MessageKind::DefaultNoteChanged);
    EXPECT_TRUE(told.found);
    EXPECT_EQ(told.answeredBy, resident.socket);
    EXPECT_EQ(resident.lines(),
              (QStringList{QStringLiteral("resident"), QStringLiteral("default")}));
}

TEST_F(InstanceBusTest, AWindowThatHangsIsSkippedAndTheOthersStillHear) {
    const Peer& hanging = startPeer(QStringList{QStringLiteral("--hang")});
    const Peer& live = startPeer();

    const InstanceQueryResult result =
        m_bus.query(MessageKind::AddRecentPath, QStringLiteral("/n/r.tmk"));

    EXPECT_EQ(result.skipped, QStringList{hanging.socket});
    EXPECT_EQ(result.answered, QStringList{live.socket});
    EXPECT_EQ(live.lines(), QStringList{QStringLiteral("recent /n/r.tmk")});
    // It got the query; it only never answered.
    EXPECT_TRUE(waitUntil([&] { return !hanging.lines().isEmpty(); }));
    EXPECT_EQ(hanging.lines(), QStringList{QStringLiteral("hang recent /n/r.tmk")});
    EXPECT_TRUE(isSocket(hanging.socket)) << "a live window's socket was removed";
}

TEST_F(InstanceBusTest, ASocketLeftByAKilledWindowIsRemovedWithoutHoldingUpTheQuery) {
    Peer& killed = startPeer();
    killed.process->kill();
    ASSERT_TRUE(killed.process->waitForFinished(5000));
    ASSERT_TRUE(isSocket(killed.socket)) << "a killed process leaves its socket behind";
    const Peer& live =
        startPeer(QStringList{QStringLiteral("--holds"), QStringLiteral("/n/a.tmk")});

    const InstanceQueryResult result =
        m_bus.query(MessageKind::HoldsNote, QStringLiteral("/n/a.tmk"));

    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.answeredBy, live.socket);
    EXPECT_EQ(result.removed, QStringList{killed.socket});
    EXPECT_TRUE(result.skipped.isEmpty());
    EXPECT_FALSE(QFile::exists(killed.socket));
}

TEST_F(InstanceBusTest, CloseIsPostedAndTheWindowEnds) {
    const Peer& peer = startPeer();
    const InstanceQueryResult result = m_bus.query(MessageKind::Close);
    EXPECT_EQ(result.answered, QStringList{peer.socket});

    QProcess* process = peer.process.get();
    ASSERT_TRUE(waitUntil([&] { return process->state() == QProcess::NotRunning; }));
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(peer.lines(), QStringList{QStringLiteral("close")});
    EXPECT_FALSE(QFile::exists(peer.socket)) << "a window that ends takes its socket along";
}

TEST_F(InstanceBusTest, BytesThatAreNotOneQueryAreDroppedAndChangeNothing) {
    const Peer& peer = startPeer(QStringList{QStringLiteral("--resident")});
    QByteArray hugeLength = frame(MessageKind::AddRecentPath, 0, "/a").left(14);
    tidemark::StoreU32(reinterpret_cast<std::uint8_t*>(hugeLength.data()) + 10, 0xFFFFFFF0u);
    const QByteArray holds = frame(MessageKind::HoldsNote, 3, "/n/a.tmk");
    QByteArray unknownKind = frame(MessageKind::BringToFront);
    unknownKind[5] = 9;
    QByteArray otherMagic = frame(MessageKind::Close);
    otherMagic[0] = 'X';
    const struct {
        const char* what;
        QByteArray bytes;
        bool closeAfterWriting;
    } cases[] = {
        {"another protocol", QByteArrayLiteral("GET / HTTP/1.0\r\n\r\n"), false},
        {"other magic", otherMagic, false},
        {"huge claimed length", hugeLength, false},
        {"unknown kind", unknownKind, false},
        {"an answer instead of a query", frame(MessageKind::Answer, 1), false},
        // A close or a path with bytes after it is not acted on either.
        {"close and one byte more", frame(MessageKind::Close) + '\0', false},
        {"path and garbage", frame(MessageKind::AddRecentPath, 0, "/n/b.tmk") + "junk", false},
        // Cut short: dropped when the sender leaves, or after the read bound.
        {"cut short, then gone", holds.left(holds.size() - 3), true},
        {"cut short, left open", holds.left(holds.size() - 3), false},
        {"header only, left open", holds.left(10), false},
    };
    for (const auto& c : cases) {
        QLocalSocket socket;
        socket.connectToServer(peer.socket);
        ASSERT_TRUE(socket.waitForConnected(5000)) << c.what;
        socket.write(c.bytes);
        ASSERT_TRUE(socket.waitForBytesWritten(5000)) << c.what;
        if (c.closeAfterWriting) {
            socket.disconnectFromServer();
        } else {
            EXPECT_TRUE(waitUntil([&] { return socket.state() == QLocalSocket::UnconnectedState; }))
                << c.what << ": the connection was kept";
            EXPECT_TRUE(socket.readAll().isEmpty()) << c.what << ": it was answered";
        }
    }

    const InstanceQueryResult result = m_bus.query(MessageKind::IsResident);
    EXPECT_TRUE(result.found) << "the window stopped serving";
    EXPECT_EQ(peer.lines(), QStringList{QStringLiteral("resident")});
    EXPECT_EQ(peer.process->state(), QProcess::Running);
}

TEST_F(InstanceBusTest, AWindowTakesOverItsOwnStaleNameButNotALiveOne) {
    RecordingHandler handler;
    LocalInstanceBus second(handler);
    EXPECT_FALSE(second.start(m_folder)) << "took the name from a listening bus";
    EXPECT_TRUE(isSocket(m_bus.socketPath()));

    QTemporaryDir other;
    const QString folder = other.filePath(QStringLiteral("tidemark"));
    ASSERT_TRUE(prepareRuntimeFolder(folder, ::geteuid()).usable());
    leaveStaleSocket(instanceSocketPath(folder, QCoreApplication::applicationPid()));
    ASSERT_TRUE(second.start(folder)) << second.error().toStdString();

    // It answers there.
    QLocalSocket socket;
    socket.connectToServer(second.socketPath());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write(frame(MessageKind::IsResident));
    EXPECT_TRUE(waitUntil([&] { return socket.bytesAvailable() >= 14; }));
    EXPECT_EQ(socket.readAll(), frame(MessageKind::Answer, 1));
    EXPECT_EQ(handler.calls, QStringList{QStringLiteral("resident")});
}

TEST_F(InstanceBusTest, AFolderOpenToOthersMeansThereIsNoOtherWindow) {
    const Peer& peer = startPeer(QStringList{QStringLiteral("--resident")});
    ASSERT_EQ(::chmod(QFile::encodeName(m_folder).constData(), 0755), 0);

    RecordingHandler handler;
    LocalInstanceBus bus(handler);
    EXPECT_FALSE(bus.start(m_folder));
    EXPECT_TRUE(bus.error().contains(QStringLiteral("open to other users")));
    EXPECT_FALSE(bus.isListening());
    const InstanceQueryResult result = bus.query(MessageKind::IsResident);
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(result.answered.isEmpty());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(peer.lines().isEmpty()) << "a query went out through a folder open to others";
}

}  // namespace
