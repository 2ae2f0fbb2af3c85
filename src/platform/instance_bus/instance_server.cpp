#include "platform/instance_bus/instance_server.h"

#include <QByteArray>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <span>

#include "platform/instance_bus/instance_log.h"
#include "platform/instance_bus/instance_query_handler.h"

using tidemark::instance::FrameStatus;
using tidemark::instance::Message;
using tidemark::instance::MessageKind;

namespace {

// Kept on the socket so that they go with it: the bytes a connection has sent
// so far, and whether its query has been read.
const char* const kBufferProperty = "tidemarkFrame";
const char* const kReadProperty = "tidemarkRead";

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

void drop(QLocalSocket* socket, const char* why) {
    qCDebug(lcInstanceBus) << "dropped a connection:" << why;
    socket->setProperty(kReadProperty, true);
    socket->abort();
    socket->deleteLater();
}

// Whether a server answers at `socketPath`.
bool answersAt(const QString& socketPath) {
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    const bool answered = probe.waitForConnected(1000);
    probe.abort();
    return answered;
}

}  // namespace

InstanceServer::InstanceServer(InstanceQueryHandler& handler) : m_handler(handler) {
    // The socket appears only once it is listening (it is made under another
    // name and renamed), so a window that lists the folder never finds a
    // socket that refuses only because it is not listening yet.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server,
                     [this] { acceptPending(); });
}

InstanceServer::~InstanceServer() {
    close();
}

bool InstanceServer::listen(const QString& socketPath) {
    close();
    m_error.clear();
    if (QFileInfo::exists(socketPath)) {
        if (answersAt(socketPath)) {
            m_error = QStringLiteral("%1 is in use").arg(socketPath);
            return false;
        }
        QLocalServer::removeServer(socketPath);
    }
    if (!m_server.listen(socketPath)) {
        m_error = m_server.errorString();
        return false;
    }
    m_socketPath = socketPath;
    return true;
}

void InstanceServer::close() {
    if (!m_server.isListening())
        return;
    // QLocalServer::close removes the socket file on Unix.
    m_server.close();
    m_socketPath.clear();
}

void InstanceServer::acceptPending() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        // Never more than the largest frame and one byte to show it is more.
        socket->setReadBufferSize(static_cast<qint64>(tidemark::instance::kHeaderSize +
                                                      tidemark::instance::kMaxPayload + 1));
        auto* deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        QObject::connect(deadline, &QTimer::timeout, socket,
                         [socket] { drop(socket, "no whole frame in time"); });
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { receive(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        deadline->start(kReadBound);
        if (socket->bytesAvailable() > 0)
            receive(socket);
    }
}

void InstanceServer::receive(QLocalSocket* socket) {
    if (socket->property(kReadProperty).toBool())
        return;
    QByteArray buffer = socket->property(kBufferProperty).toByteArray() + socket->readAll();
    const auto frame = tidemark::instance::ReadFrame(bytesOf(buffer));
    if (frame.Status == FrameStatus::Incomplete) {
        socket->setProperty(kBufferProperty, buffer);
        return;
    }
    if (frame.Status != FrameStatus::Complete) {
        drop(socket, "not a frame");
        return;
    }
    if (frame.Consumed != static_cast<std::size_t>(buffer.size()) ||
        frame.Value.Kind == MessageKind::Answer) {
        drop(socket, "not one query");
        return;
    }

    // Done with reading: nothing this connection sends later is looked at.
    socket->setProperty(kReadProperty, true);
    socket->setProperty(kBufferProperty, QVariant());
    for (QTimer* timer : socket->findChildren<QTimer*>())
        timer->stop();

    const bool expectsAnswer = tidemark::instance::ExpectsAnswer(frame.Value.Kind);
    if (!expectsAnswer)
        socket->disconnectFromServer();
    // The handler may run an event loop in which the sender goes away and its
    // socket is deleted.
    const QPointer<QLocalSocket> guard(socket);
    const bool yes = dispatch(frame.Value);
    if (!expectsAnswer || guard.isNull())
        return;
    const auto answer =
        tidemark::instance::EncodeFrame(Message{MessageKind::Answer, yes ? 1u : 0u, {}});
    socket->write(reinterpret_cast<const char*>(answer->data()),
                  static_cast<qint64>(answer->size()));
    // Closes once the answer is written; a sender that gave up is no matter.
    socket->disconnectFromServer();
}

bool InstanceServer::dispatch(const Message& message) {
    const QString path = QString::fromUtf8(message.Payload);
    switch (message.Kind) {
        case MessageKind::AddRecentPath:
            m_handler.addRecentPath(path);
            return false;
        case MessageKind::HoldsNote:
            return m_handler.holdsNote(path, message.Argument);
        case MessageKind::ReloadSettings:
            m_handler.reloadSettings(message.Argument != 0);
            return false;
        case MessageKind::ScriptsChanged:
            m_handler.scriptsChanged();
            return false;
        case MessageKind::BringToFront:
            m_handler.bringToFront();
            return false;
        case MessageKind::Close:
            m_handler.close();
            return false;
        case MessageKind::IsResident:
            return m_handler.isResident();
        case MessageKind::DefaultNoteChanged:
            return m_handler.defaultNoteChanged();
        case MessageKind::Answer:
            break;
    }
    return false;
}
