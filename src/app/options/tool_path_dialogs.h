#pragma once

#include <QString>

class QWidget;

// The dialogs the "ツール" page asks for its paths with: Qt's own dialogs
// (not the desktop's), modal over `parent`. Each returns the chosen path, or
// an empty text when the user cancels.

// A folder, starting at `start`.
QString chooseScriptFolder(QWidget* parent, const QString& start);
// A program the user may run, starting beside `start` when it is a path.
QString chooseEditorProgram(QWidget* parent, const QString& start);
