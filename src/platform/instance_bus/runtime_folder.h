#pragma once

#include <sys/types.h>

#include <QString>

// The per-user folder in which every window of the program keeps its socket.
// Only its owner may reach it: anyone who can connect there can make a window
// open, raise or close itself.
struct RuntimeFolder {
    QString path;
    QString error;  // why the folder cannot be used; empty when it can

    bool usable() const { return error.isEmpty(); }
};

// "$XDG_RUNTIME_DIR/tidemark", or "<temporary folder>/tidemark-<uid>" when
// XDG_RUNTIME_DIR is unset or empty.
QString runtimeFolderPath();

// Makes `path` the runtime folder: creates it with mode 0700 when it is
// missing (its parent must exist), and refuses a folder that is a symbolic
// link or no folder at all, belongs to another user than `owner`, or gives
// its group or other users any access. A refused folder is left as it is.
RuntimeFolder prepareRuntimeFolder(const QString& path, uid_t owner);
// The same for the current user's runtime folder.
RuntimeFolder prepareRuntimeFolder();
