#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>

#include "platform/instance_bus/instance_message.h"

// The sending side of the instance bus: finds the other windows' sockets in
// the runtime folder and asks each in turn.

// Another window's socket: "window-<pid>" in the runtime folder.
struct InstancePeer {
    QString socketPath;
    qint64 pid = 0;
};

// The sockets of the runtime folder `folder` in increasing order of process
// id, without `ownSocket`. Files of other names and anything that is not a
// socket are left out.
QList<InstancePeer> listInstancePeers(const QString& folder, const QString& ownSocket);

// The socket name of the process `pid` inside `folder`.
QString instanceSocketPath(const QString& folder, qint64 pid);

struct InstanceQueryResult {
    bool found = false;    // a window answered yes
    QString answeredBy;    // its socket, when found
    QStringList answered;  // the sockets that answered (or took a posted query), in order
    QStringList skipped;   // the sockets that did not answer within the bound
    QStringList removed;   // stale sockets of processes that are gone, removed
    QString error;         // why nothing was sent, when nothing could be
};

// How long one window may take to accept the connection, read the query and
// answer. A window that takes longer is skipped: the sender does not wait
// for ever on a window that hangs. (The window may still act on the query
// once it recovers.)
inline constexpr std::chrono::milliseconds kAnswerBound{2000};

// Asks every window in `folder` except `ownSocket`, one after the other in
// the order of listInstancePeers, and stops at the first yes for the kinds
// that look for one window (tidemark::instance::LooksForOne). Close is
// posted: written, not awaited. A socket that refuses the connection belongs
// to a process that is gone and is removed.
//
// Returns when every window has answered or been skipped; meanwhile it runs
// a nested event loop without user input, so that this process keeps serving
// the queries of others (two windows asking each other at once both get
// their answers) and its own timers run. Main thread only, with a
// QCoreApplication.
InstanceQueryResult queryInstances(const QString& folder, const QString& ownSocket,
                                   tidemark::instance::MessageKind kind, const QString& payload,
                                   std::uint32_t argument,
                                   std::chrono::milliseconds bound = kAnswerBound);
