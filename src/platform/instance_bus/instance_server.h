#pragma once

#include <QLocalServer>
#include <QString>

#include <chrono>

#include "platform/instance_bus/instance_message.h"

class InstanceQueryHandler;
class QLocalSocket;

// The receiving side of the instance bus: listens on this process's socket,
// reads one query frame from each connection without blocking the event loop,
// hands it to the handler and writes the answer back.
//
// A connection whose bytes are not one valid frame (garbage, a frame cut
// short, a length above the limit, more bytes than the frame) is dropped
// without the handler being called, as is one that has not sent a whole
// frame within kReadBound.
//
// Lives on the thread that created it and needs that thread's event loop.
// The handler must outlive the server.
class InstanceServer {
public:
    static constexpr std::chrono::milliseconds kReadBound{2000};

    explicit InstanceServer(InstanceQueryHandler& handler);
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // Listens at the absolute `socketPath`, a name that belongs to this
    // process. A socket already there that nobody answers on is this name's
    // stale leftover (a process that had this id before) and is removed; one
    // that is answered is left alone and listening fails.
    bool listen(const QString& socketPath);
    void close();
    bool isListening() const { return m_server.isListening(); }
    QString socketPath() const { return m_socketPath; }
    QString errorString() const { return m_error; }

private:
    void acceptPending();
    void receive(QLocalSocket* socket);
    // Calls the handler for `message`; returns the answer flag.
    bool dispatch(const tidemark::instance::Message& message);

    InstanceQueryHandler& m_handler;
    QLocalServer m_server;
    QString m_socketPath;
    QString m_error;
};
