#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QWidget;

// The file dialogs of the File commands. They are Qt's own dialog widgets
// (not the desktop's), so that they look the same everywhere, carry the
// read-only check box and can be answered by tests.

struct OpenNoteChoice {
    QString path;
    bool readOnly = false;
};

// Asks for an existing note file, with the read-only check box. Nothing when
// the user cancels.
std::optional<OpenNoteChoice> askNoteToOpen(QWidget* owner);

// Asks for the default note (an existing file, no read-only box), in a
// dialog titled "規定のノートファイルの選択". Nothing when the user cancels.
std::optional<QString> askDefaultNote(QWidget* owner);

// Asks where to save, proposing `proposedName` (a path or a bare name), with
// the note extension added when the user types none and a question before
// an existing file is replaced. Nothing when the user cancels.
std::optional<QString> askNotePathToSave(QWidget* owner, const QString& proposedName);
