#pragma once

#include <QStringList>

class QWidget;
class TextImporter;

namespace tidemark {
class Note;
}

// Asks for the files to import (title 10017, all files, several at once,
// existing files only, links not resolved). Empty when the user cancels.
QStringList askFilesToImport(QWidget* owner);

// Command 40061: the files the user chooses become memos after the focused
// item (TextImporter::focusPlace), asking about files of other kinds. Does
// nothing while the note is read-only. Everything passed in must outlive
// the command.
class TextImportCommand {
public:
    TextImportCommand(const tidemark::Note& note, TextImporter& importer, QWidget* window)
        : m_note(note), m_importer(importer), m_window(window) {}

    bool enabled() const;
    void run();

private:
    const tidemark::Note& m_note;
    TextImporter& m_importer;
    QWidget* m_window;
};
