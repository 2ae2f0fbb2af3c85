#pragma once

#include <QSessionManager>

// What the desktop's session manager lets a program do while the session
// ends (logging out, shutting down): ask the user, and stop the end.
class SessionEndRequest {
public:
    virtual ~SessionEndRequest() = default;
    // Whether the user may be asked now; the first call may wait for the
    // session manager's leave. While false, nothing may be shown.
    virtual bool allowsInteraction() = 0;
    // Asks the session manager to keep the session going; only after the
    // user was asked and chose so.
    virtual void cancel() = 0;
};

// The request of the session manager itself.
class QtSessionEndRequest final : public SessionEndRequest {
public:
    explicit QtSessionEndRequest(QSessionManager& manager) : m_manager(manager) {}
    bool allowsInteraction() override { return m_manager.allowsInteraction(); }
    void cancel() override { m_manager.cancel(); }

private:
    QSessionManager& m_manager;
};
