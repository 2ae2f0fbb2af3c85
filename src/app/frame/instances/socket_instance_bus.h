#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

#include "app/frame/instance_bus.h"
#include "platform/instance_bus/instance_query_handler.h"
#include "platform/instance_bus/local_instance_bus.h"

// The instance bus of a real process: this process's socket in the per-user
// runtime folder, and the questions it sends the other windows' sockets.
// The questions others ask are passed on to the handler given to serve().
//
// A close asked for while this process is itself waiting for the answers of
// others is held back until that wait is over: the window never starts
// closing in the middle of one of its own commands.
class SocketInstanceBus : public InstanceBus {
public:
    SocketInstanceBus();
    ~SocketInstanceBus() override;

    // Joins the bus in the current user's runtime folder, or in `folder`
    // when it is not empty. False when no other window can be reached
    // (error() says why); the process then runs as the only window.
    bool start(const QString& folder = {});
    QString error() const { return m_bus.error(); }
    LocalInstanceBus& bus() { return m_bus; }

    void serve(InstanceQueryHandler* handler) override { m_handler = handler; }
    bool bringForwardHolder(const QString& path, tidemark::ItemId jumpTo) override;
    void shareRecentNote(const QString& path) override;
    void broadcastSettingsChanged(bool apply) override;
    void broadcastScriptsChanged() override;
    void bringAllToFront() override;
    void closeAll() override;
    bool claimResident() override;
    void defaultNoteChanged() override;

private:
    InstanceQueryResult ask(tidemark::instance::MessageKind kind, const QString& payload = {},
                            std::uint32_t argument = 0);

    // What the other windows ask this process, passed on to m_handler.
    class Incoming : public InstanceQueryHandler {
    public:
        explicit Incoming(SocketInstanceBus& bus) : m_owner(bus) {}
        void addRecentPath(const QString& path) override;
        bool holdsNote(const QString& path, tidemark::ItemId showItem) override;
        void reloadSettings(bool apply) override;
        void scriptsChanged() override;
        void bringToFront() override;
        void close() override;
        bool isResident() override;
        bool defaultNoteChanged() override;

    private:
        SocketInstanceBus& m_owner;
    };

    Incoming m_incoming{*this};
    LocalInstanceBus m_bus;
    InstanceQueryHandler* m_handler = nullptr;
    int m_asking = 0;
    bool m_closeHeld = false;
    // Held for the life of the resident process: two resident starts at
    // the same moment cannot both win.
    std::unique_ptr<QLockFile> m_residentLock;
};
