#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QString>
#include <memory>

#include "app/automation_server/client_objects.h"

class QDBusServiceWatcher;

namespace tidemark {
class FileSystem;
class NoteService;
class Settings;
}  // namespace tidemark

// The automation objects on the bus: /NoteService and the notes and items
// its clients make (ClientObjects), over the same object layer scripts use.
// The notes it makes have no window. A client's objects go when it leaves
// the bus.
//
// Lives on the thread that owns the notes (the GUI thread); `files` and
// `options` must outlive it.
class AutomationServer : public QDBusVirtualObject {
    Q_OBJECT
public:
    AutomationServer(QDBusConnection connection, tidemark::FileSystem& files,
                     const tidemark::Settings* options, QObject* parent = nullptr);
    ~AutomationServer() override;

    // Exports the objects, then takes the bus name. False, with the reason
    // logged, when there is no bus or another process owns the name; the
    // objects are then withdrawn.
    bool start();

    const ClientObjects& objects() const { return m_objects; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& path) const override;

private:
    void watch(const QString& client);
    void clientLeft(const QString& client);

    QDBusConnection m_connection;
    std::unique_ptr<tidemark::NoteService> m_service;
    ClientObjects m_objects;
    QDBusServiceWatcher* m_watcher;
    bool m_exported = false;
    bool m_named = false;
};
