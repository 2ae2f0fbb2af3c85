#pragma once

#include <functional>

#include "platform/instance_bus/instance_query_handler.h"

class Application;

// What this process does when another window of the program asks: the
// answers and actions of one Application (a window, or the resident process).
// Each request is logged under "tidemark.instance" (debug) with what came of
// it, as the window shows it. What would change the window (closing it,
// showing an item, applying settings) waits while a job such as a script
// holds the window, and is done when the job ends.
class InstanceRequests : public InstanceQueryHandler {
public:
    explicit InstanceRequests(Application& app) : m_app(app) {}

    void addRecentPath(const QString& path) override;
    bool holdsNote(const QString& path, tidemark::ItemId showItem) override;
    void reloadSettings(bool apply) override;
    void scriptsChanged() override;
    void bringToFront() override;
    void close() override;
    bool isResident() override;
    bool defaultNoteChanged() override;

private:
    void whenIdle(std::function<void()> work);

    Application& m_app;
};
