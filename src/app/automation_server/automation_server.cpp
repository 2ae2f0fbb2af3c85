#include "app/automation_server/automation_server.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "app/automation_server/automation_log.h"
#include "app/automation_server/dbus_names.h"
#include "app/automation_server/dbus_target.h"
#include "app/automation_server/object_interfaces.h"
#include "core/automation/note_object.h"
#include "core/automation/note_service.h"

Q_LOGGING_CATEGORY(lcAutomationServer, "tidemark.automation", QtInfoMsg)

namespace {

const QString kRootPath = QStringLiteral("/");

QDBusMessage replyTo(const QDBusMessage& message, const DbusReply& reply) {
    if (!reply.ok())
        return message.createErrorReply(reply.errorName, reply.errorText);
    return message.createReply(reply.values);
}

}  // namespace

AutomationServer::AutomationServer(QDBusConnection connection, tidemark::FileSystem& files,
                                   const tidemark::Settings* options, QObject* parent)
    : QDBusVirtualObject(parent),
      m_connection(std::move(connection)),
      m_service(std::make_unique<tidemark::NoteService>(files, options)),
      m_watcher(new QDBusServiceWatcher(this)) {
    m_watcher->setConnection(m_connection);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &AutomationServer::clientLeft);
}

AutomationServer::~AutomationServer() {
    if (m_named)
        m_connection.unregisterService(DbusName::kService);
    if (m_exported)
        m_connection.unregisterObject(kRootPath, QDBusConnection::UnregisterTree);
}

bool AutomationServer::start() {
    if (!m_connection.isConnected()) {
        qCWarning(lcAutomationServer).noquote()
            << "no session bus, automation server not started:"
            << m_connection.lastError().message();
        return false;
    }
    m_exported = m_connection.registerVirtualObject(kRootPath, this, QDBusConnection::SubPath);
    if (!m_exported) {
        qCWarning(lcAutomationServer) << "cannot export the automation objects";
        return false;
    }
    m_named = m_connection.registerService(DbusName::kService);
    if (!m_named) {
        qCWarning(lcAutomationServer).noquote()
            << DbusName::kService << "is owned by another process; automation server not started";
        m_connection.unregisterObject(kRootPath, QDBusConnection::UnregisterTree);
        m_exported = false;
        return false;
    }
    qCDebug(lcAutomationServer).noquote() << "serving" << DbusName::kService;
    return true;
}

void AutomationServer::watch(const QString& client) {
    if (m_watcher->watchedServices().contains(client))
        return;
    m_watcher->addWatchedService(client);
    // A client that left before the watch began would never be reported.
    if (!m_connection.interface()->isServiceRegistered(client).value())
        clientLeft(client);
}

void AutomationServer::clientLeft(const QString& client) {
    m_watcher->removeWatchedService(client);
    m_objects.dropClient(client);
    qCDebug(lcAutomationServer).noquote() << "client left:" << client;
}

bool AutomationServer::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    // Introspection is answered by QtDBus through introspect().
    if (message.type() != QDBusMessage::MethodCallMessage ||
        message.interface() == DbusName::kIntrospectable) {
        return false;
    }
    const QString client = message.service();
    const QString path = message.path();
    DbusTarget target{m_objects, client, path, 0, nullptr, nullptr, nullptr};

    const DbusInterface* interface = nullptr;
    if (path == DbusName::kServicePath) {
        interface = &noteServiceInterface();
        target.service = m_service.get();
    } else {
        ClientObjects::Found found = m_objects.find(client, path);
        target.note = found.note;
        if (found.kind == ClientObjects::Found::kNote) {
            interface = &noteInterface();
            target.noteObject = std::move(found.noteObject);
        } else if (found.kind == ClientObjects::Found::kItem) {
            interface = found.item->IsText() ? &itemTextInterface() : &itemNodeInterface();
            target.item = std::move(found.item);
        }
    }

    DbusReply reply;
    const QVariantList arguments = message.arguments();
    if (!interface) {
        reply = DbusReply::failure(DbusName::kUnknownObject,
                                   QStringLiteral("no object at %1").arg(path));
    } else if (message.interface() == DbusName::kProperties) {
        const QString& name = message.member();
        const QString signature = message.signature();
        const QString asked = arguments.value(0).toString();
        if (signature.isEmpty() || signature.front() != u's' ||
            (name == QLatin1String("GetAll") ? signature != QLatin1String("s")
             : name == QLatin1String("Get")  ? signature != QLatin1String("ss")
             : name == QLatin1String("Set")  ? signature != QLatin1String("ssv")
                                             : false)) {
            reply = DbusReply::failure(DbusName::kInvalidArgs,
                                       QStringLiteral("bad arguments to %1").arg(name));
        } else if (asked != interface->name() && !asked.isEmpty()) {
            reply = DbusReply::failure(DbusName::kUnknownInterface,
                                       QStringLiteral("%1 has no interface %2").arg(path, asked));
        } else if (name == QLatin1String("Get")) {
            reply = interface->get(target, arguments.value(1).toString());
            if (reply.ok())
                reply.values = {QVariant::fromValue(QDBusVariant(reply.values.value(0)))};
        } else if (name == QLatin1String("Set")) {
            reply = interface->set(target, arguments.value(1).toString(),
                                   arguments.value(2).value<QDBusVariant>().variant());
        } else if (name == QLatin1String("GetAll")) {
            reply = interface->getAll(target);
        } else {
            reply = DbusReply::failure(DbusName::kUnknownMethod,
                                       QStringLiteral("no method %1.%2").arg(DbusName::kProperties, name));
        }
    } else if (!message.interface().isEmpty() && message.interface() != interface->name()) {
        reply = DbusReply::failure(
            DbusName::kUnknownInterface,
            QStringLiteral("%1 has no interface %2").arg(path, message.interface()));
    } else {
        reply = interface->call(target, message.member(), message.signature(), arguments);
    }

    // Whatever the call made or touched belongs to the caller until it leaves.
    if (m_objects.holdsAnythingOf(client))
        watch(client);
    if (!message.isReplyRequired())
        return true;
    m_connection.send(replyTo(message, reply));
    return true;
}

QString AutomationServer::introspect(const QString& path) const {
    // The caller is not known here: a path is described by what it names
    // for whichever client holds it.
    if (path == kRootPath)
        return QStringLiteral("<node name=\"NoteService\"/><node name=\"notes\"/>");
    if (path == DbusName::kServicePath)
        return noteServiceInterface().introspection();
    const ClientObjects::Found found = m_objects.findForAny(path);
    if (found.kind == ClientObjects::Found::kNote)
        return noteInterface().introspection();
    if (found.kind == ClientObjects::Found::kItem) {
        return found.item->IsText() ? itemTextInterface().introspection()
                                    : itemNodeInterface().introspection();
    }
    return {};
}
