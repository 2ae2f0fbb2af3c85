#pragma once

#include <QString>
#include <QStringList>

// The test runner's temporary configuration folder. QSettings' user scope
// lives directly in it (Corvane/Tidemark.conf), its system scope in the
// "system" folder below it; XDG_CONFIG_HOME points at it as well.
QString testConfigDir();
QString testSystemConfigDir();

// Runs this test executable again as a child process with `arguments` after
// a "--child" switch, sharing the configuration folder. Returns the child's
// standard output; `exitCode` receives its exit code (-1 when it did not
// finish within the time limit).
QString runChild(const QStringList& arguments, int* exitCode);

// The child side: handles the arguments after "--child" and returns the exit
// code. Defined by the tests that start children.
int childMain(const QStringList& arguments);
