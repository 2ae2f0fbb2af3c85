#pragma once

#include <QStringList>

// Starts another process of this program (for a note that this window
// cannot take, or for the help note). Tests record the requests instead.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // False when the process could not be started.
    virtual bool startProgram(const QStringList& arguments) = 0;
};

// The real one: this program's own executable, detached.
class DetachedProcessLauncher : public ProcessLauncher {
public:
    bool startProgram(const QStringList& arguments) override;
};
