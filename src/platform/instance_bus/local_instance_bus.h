#pragma once

#include <QString>

#include <chrono>
#include <cstdint>

#include "platform/instance_bus/instance_message.h"
#include "platform/instance_bus/instance_query.h"
#include "platform/instance_bus/instance_server.h"
#include "platform/instance_bus/runtime_folder.h"

class InstanceQueryHandler;

// This process on the instance bus: its socket "window-<pid>" in the per-user
// runtime folder, served for the other windows, and the queries it sends
// them. One per process, on the main thread; the handler must outlive it.
//
// When the runtime folder cannot be used (see prepareRuntimeFolder), the bus
// knows of no other window: it does not listen, every query finds nothing,
// and error() says why. When only listening fails, this window can still ask
// the others, though they cannot reach it.
class LocalInstanceBus {
public:
    explicit LocalInstanceBus(InstanceQueryHandler& handler);

    // Joins the bus in the current user's runtime folder.
    bool start();
    // Joins the bus in `folder`, which must pass the same checks.
    bool start(const QString& folder);

    bool isListening() const { return m_server.isListening(); }
    QString folder() const { return m_folder.path; }
    QString socketPath() const { return m_socketPath; }
    QString error() const { return m_error; }

    // Asks the other windows; see queryInstances. `payload` is the path of the
    // kinds that carry one (at most kMaxPayload bytes in UTF-8).
    InstanceQueryResult query(tidemark::instance::MessageKind kind, const QString& payload = {},
                              std::uint32_t argument = 0);

    // How long one window may take to answer (kAnswerBound unless changed).
    void setAnswerBound(std::chrono::milliseconds bound) { m_bound = bound; }

private:
    bool join(RuntimeFolder folder);

    InstanceServer m_server;
    RuntimeFolder m_folder;
    QString m_socketPath;
    QString m_error;
    std::chrono::milliseconds m_bound = kAnswerBound;
};
