#pragma once

#include <QString>

#include "core/model/item_id.h"

class InstanceQueryHandler;

// The other windows of the program, each its own process, and the resident
// process. A window asks them before it opens a note (a note is shown in one
// window only) and tells them about shared state: the recent-notes list,
// the settings, the registered scripts, the default note.
class InstanceBus {
public:
    virtual ~InstanceBus() = default;

    // Who answers the other windows' questions for this process; null while
    // there is nothing to answer for (before the Application exists and
    // after it is gone): this process then holds no note and is not resident.
    virtual void serve(InstanceQueryHandler* handler) = 0;

    // Whether another window holds the note at `path`; that window comes to
    // the front and, when `jumpTo` is not 0, shows that item.
    virtual bool bringForwardHolder(const QString& path, tidemark::ItemId jumpTo) = 0;
    // Every other window adds `path` to its recent-notes list.
    virtual void shareRecentNote(const QString& path) = 0;
    // Every other window reloads the settings (and applies them with `apply`).
    virtual void broadcastSettingsChanged(bool apply) = 0;
    // Every other window reloads the registered scripts.
    virtual void broadcastScriptsChanged() = 0;
    // Every other window comes to the front.
    virtual void bringAllToFront() = 0;
    // Every other window closes as the user would close it (asking to save).
    virtual void closeAll() = 0;
    // Claims the resident role for this process: false when another
    // resident process runs.
    virtual bool claimResident() = 0;
    // The resident process reads the default note again.
    virtual void defaultNoteChanged() = 0;
};
