#include "platform/instance_bus/local_instance_bus.h"

#include <unistd.h>

#include <QCoreApplication>

#include "platform/instance_bus/instance_log.h"

Q_LOGGING_CATEGORY(lcInstanceBus, "tidemark.instance", QtInfoMsg)

LocalInstanceBus::LocalInstanceBus(InstanceQueryHandler& handler) : m_server(handler) {
    m_folder.error = QStringLiteral("the bus was not started");
}

bool LocalInstanceBus::start() {
    return join(prepareRuntimeFolder());
}

bool LocalInstanceBus::start(const QString& folder) {
    return join(prepareRuntimeFolder(folder, ::geteuid()));
}

bool LocalInstanceBus::join(RuntimeFolder folder) {
    m_server.close();
    m_folder = std::move(folder);
    m_socketPath.clear();
    m_error.clear();
    if (!m_folder.usable()) {
        m_error = m_folder.error;
        qCWarning(lcInstanceBus) << "working without other windows:" << m_error;
        return false;
    }
    m_socketPath = instanceSocketPath(m_folder.path, QCoreApplication::applicationPid());
    if (!m_server.listen(m_socketPath)) {
        m_error = m_server.errorString();
        qCWarning(lcInstanceBus) << "other windows cannot reach this one:" << m_error;
        return false;
    }
    return true;
}

InstanceQueryResult LocalInstanceBus::query(tidemark::instance::MessageKind kind,
                                            const QString& payload, std::uint32_t argument) {
    if (!m_folder.usable()) {
        InstanceQueryResult none;
        none.error = m_folder.error;
        return none;
    }
    return queryInstances(m_folder.path, m_socketPath, kind, payload, argument, m_bound);
}
