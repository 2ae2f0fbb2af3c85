#include "app/frame/instances/socket_instance_bus.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include "platform/instance_bus/instance_log.h"

using tidemark::instance::MessageKind;

namespace {

constexpr char kResidentLockName[] = "resident.lock";

}  // namespace

SocketInstanceBus::SocketInstanceBus() : m_bus(m_incoming) {}

SocketInstanceBus::~SocketInstanceBus() = default;

bool SocketInstanceBus::start(const QString& folder) {
    return folder.isEmpty() ? m_bus.start() : m_bus.start(folder);
}

InstanceQueryResult SocketInstanceBus::ask(MessageKind kind, const QString& payload,
                                           std::uint32_t argument) {
    ++m_asking;
    InstanceQueryResult result = m_bus.query(kind, payload, argument);
    if (--m_asking == 0 && m_closeHeld) {
        m_closeHeld = false;
        QTimer::singleShot(0, qApp, [this] { m_incoming.close(); });
    }
    return result;
}

bool SocketInstanceBus::bringForwardHolder(const QString& path, tidemark::ItemId jumpTo) {
    return ask(MessageKind::HoldsNote, path, jumpTo).found;
}

void SocketInstanceBus::shareRecentNote(const QString& path) {
    ask(MessageKind::AddRecentPath, path);
}

void SocketInstanceBus::broadcastSettingsChanged(bool apply) {
    ask(MessageKind::ReloadSettings, {}, apply ? 1 : 0);
}

void SocketInstanceBus::broadcastScriptsChanged() {
    ask(MessageKind::ScriptsChanged);
}

void SocketInstanceBus::bringAllToFront() {
    ask(MessageKind::BringToFront);
}

void SocketInstanceBus::closeAll() {
    ask(MessageKind::Close);
}

bool SocketInstanceBus::claimResident() {
    if (ask(MessageKind::IsResident).found)
        return false;
    const QString folder = m_bus.folder();
    if (folder.isEmpty())
        return true;  // no runtime folder: no other window to share the role with
    auto lock =
        std::make_unique<QLockFile>(QDir(folder).filePath(QLatin1String(kResidentLockName)));
    // A lock left by a resident process that is gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        qCInfo(lcInstanceBus) << "another resident process holds" << lock->fileName();
        return false;
    }
    m_residentLock = std::move(lock);
    return true;
}

void SocketInstanceBus::defaultNoteChanged() {
    ask(MessageKind::DefaultNoteChanged);
}

void SocketInstanceBus::Incoming::addRecentPath(const QString& path) {
    if (m_owner.m_handler)
        m_owner.m_handler->addRecentPath(path);
}

bool SocketInstanceBus::Incoming::holdsNote(const QString& path, tidemark::ItemId showItem) {
    return m_owner.m_handler && m_owner.m_handler->holdsNote(path, showItem);
}

void SocketInstanceBus::Incoming::reloadSettings(bool apply) {
    if (m_owner.m_handler)
        m_owner.m_handler->reloadSettings(apply);
}

void SocketInstanceBus::Incoming::scriptsChanged() {
    if (m_owner.m_handler)
        m_owner.m_handler->scriptsChanged();
}

void SocketInstanceBus::Incoming::bringToFront() {
    if (m_owner.m_handler)
        m_owner.m_handler->bringToFront();
}

void SocketInstanceBus::Incoming::close() {
    if (m_owner.m_asking > 0) {
        m_owner.m_closeHeld = true;
        return;
    }
    if (m_owner.m_handler)
        m_owner.m_handler->close();
}

bool SocketInstanceBus::Incoming::isResident() {
    return m_owner.m_handler && m_owner.m_handler->isResident();
}

bool SocketInstanceBus::Incoming::defaultNoteChanged() {
    return m_owner.m_handler && m_owner.m_handler->defaultNoteChanged();
}
