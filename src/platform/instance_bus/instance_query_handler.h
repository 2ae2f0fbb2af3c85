#pragma once

#include <QString>

#include "core/model/item_id.h"

// What a window does when another window asks it something. The server calls
// these on the thread that owns it (the main thread), one query at a time, from
// the event loop; the sender waits for the answer of all but close(), so each
// should return promptly. A handler may run a nested event loop (a dialog
// from close(), for instance): the query that called it is finished with by
// then, and further queries are served inside that loop.
class InstanceQueryHandler {
public:
    virtual ~InstanceQueryHandler() = default;

    // Adds `path` to this window's recent-notes list.
    virtual void addRecentPath(const QString& path) = 0;
    // Whether this window shows the note at `path`. When it does, it comes to
    // the front (restored if minimised) and, when `showItem` is not
    // tidemark::kNoItem, shows that item.
    virtual bool holdsNote(const QString& path, tidemark::ItemId showItem) = 0;
    // Reads the settings again; applies them to the window when `apply`.
    virtual void reloadSettings(bool apply) = 0;
    // Reads the registered scripts again.
    virtual void scriptsChanged() = 0;
    // Brings this window to the front.
    virtual void bringToFront() = 0;
    // Closes this window as the user would (asking to save). The sender does
    // not wait for this.
    virtual void close() = 0;
    // Whether this is the resident process.
    virtual bool isResident() = 0;
    // The resident process reads the default note again and answers true;
    // any other process answers false and does nothing.
    virtual bool defaultNoteChanged() = 0;
};
