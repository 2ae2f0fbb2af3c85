#pragma once

#include <QString>

#include "core/model/item_id.h"

// The other main windows of the program, each its own process. A window
// asks them before it opens a note (a note is shown in one window only) and
// tells them about shared state: the recent-notes list, the settings, the
// default note.
class InstanceBus {
public:
    virtual ~InstanceBus() = default;
    // Whether another window holds the note at `path`; that window comes to
    // the front and, when `jumpTo` is not 0, shows that item.
    virtual bool bringForwardHolder(const QString& path, tidemark::ItemId jumpTo) = 0;
    // Every other window adds `path` to its recent-notes list.
    virtual void shareRecentNote(const QString& path) = 0;
    // Every other window reloads the settings (and applies them with `apply`).
    virtual void broadcastSettingsChanged(bool apply) = 0;
    // The resident process reads the default note again.
    virtual void defaultNoteChanged() = 0;
};

// A window that knows of no other: every question is answered "none" and
// nothing is sent. Stands in until the windows talk over local sockets.
class SoloInstanceBus : public InstanceBus {
public:
    bool bringForwardHolder(const QString&, tidemark::ItemId) override { return false; }
    void shareRecentNote(const QString&) override {}
    void broadcastSettingsChanged(bool) override {}
    void defaultNoteChanged() override {}
};
