#include "platform/instance_bus/instance_query.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "platform/instance_bus/instance_log.h"

using tidemark::instance::FrameStatus;
using tidemark::instance::MessageKind;

namespace {

enum class Outcome { Yes, No, Posted, Gone, Silent };

bool isSocket(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// One exchange with one window: connect, write `frame`, read the answer (or,
// when none is expected, see the frame written), all within `bound`.
Outcome exchange(const QString& socketPath, const std::vector<std::uint8_t>& frame,
                 bool expectsAnswer, std::chrono::milliseconds bound) {
    QLocalSocket socket;
    QEventLoop loop;
    QTimer deadline;
    std::optional<Outcome> outcome;
    bool connected = false;
    QByteArray answer;

    auto finish = [&](Outcome value) {
        if (outcome)
            return;
        outcome = value;
        loop.quit();
    };
    QObject::connect(&socket, &QLocalSocket::connected, &loop, [&] {
        connected = true;
        socket.write(reinterpret_cast<const char*>(frame.data()),
                     static_cast<qint64>(frame.size()));
        if (!expectsAnswer) {
            // A frame this small fits the socket's buffer whole.
            socket.flush();
            finish(socket.bytesToWrite() == 0 ? Outcome::Posted : Outcome::Silent);
        }
    });
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        answer += socket.readAll();
        const auto read = tidemark::instance::ReadWholeFrame(bytesOf(answer));
        if (read.Status == FrameStatus::Incomplete)
            return;
        if (read.Status == FrameStatus::Complete && read.Value.Kind == MessageKind::Answer)
            finish(read.Value.Argument != 0 ? Outcome::Yes : Outcome::No);
        else
            finish(Outcome::Silent);
    });
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop,
                     [&](QLocalSocket::LocalSocketError error) {
                         if (!connected && (error == QLocalSocket::ConnectionRefusedError ||
                                            error == QLocalSocket::ServerNotFoundError))
                             finish(Outcome::Gone);
                         else
                             finish(Outcome::Silent);
                     });
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { finish(Outcome::Silent); });
    deadline.start(bound);

    socket.connectToServer(socketPath);
    if (!outcome)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (*outcome == Outcome::Posted)
        socket.disconnectFromServer();
    else
        socket.abort();
    return *outcome;
}

}  // namespace

QString instanceSocketPath(const QString& folder, qint64 pid) {
    return QDir(folder).filePath(QStringLiteral("window-%1").arg(pid));
}

QList<InstancePeer> listInstancePeers(const QString& folder, const QString& ownSocket) {
    static const QRegularExpression name(QStringLiteral("^window-([1-9][0-9]{0,9})$"));
    QList<InstancePeer> peers;
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        const QString path = dir.filePath(entry);
        if (path == ownSocket || !isSocket(path))
            continue;
        peers.append(InstancePeer{path, match.captured(1).toLongLong()});
    }
    std::sort(peers.begin(), peers.end(),
              [](const InstancePeer& a, const InstancePeer& b) { return a.pid < b.pid; });
    return peers;
}

InstanceQueryResult queryInstances(const QString& folder, const QString& ownSocket,
                                   MessageKind kind, const QString& payload, std::uint32_t argument,
                                   std::chrono::milliseconds bound) {
    InstanceQueryResult result;
    const auto frame = tidemark::instance::EncodeFrame(
        tidemark::instance::Message{kind, argument, payload.toStdString()});
    if (!frame || kind == MessageKind::Answer) {
        result.error = QStringLiteral("a query of kind %1 cannot carry these values")
                           .arg(static_cast<int>(kind));
        return result;
    }
    const bool expectsAnswer = tidemark::instance::ExpectsAnswer(kind);
    for (const InstancePeer& peer : listInstancePeers(folder, ownSocket)) {
        switch (exchange(peer.socketPath, *frame, expectsAnswer, bound)) {
            case Outcome::Yes:
                result.answered.append(peer.socketPath);
                if (tidemark::instance::LooksForOne(kind)) {
                    result.found = true;
                    result.answeredBy = peer.socketPath;
                    return result;
                }
                break;
            case Outcome::No:
            case Outcome::Posted:
                result.answered.append(peer.socketPath);
                break;
            case Outcome::Gone:
                // Refused: nobody listens there any more. Only a socket is removed,
                // and only one that is still there.
                if (isSocket(peer.socketPath) && QFile::remove(peer.socketPath))
                    result.removed.append(peer.socketPath);
                break;
            case Outcome::Silent:
                qCDebug(lcInstanceBus)
                    << "skipped a window that did not answer:" << peer.socketPath;
                result.skipped.append(peer.socketPath);
                break;
        }
    }
    return result;
}
