#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "core/textio/export_template.h"

class WindowContext;
class QWidget;

namespace tidemark {
class FileSystem;
class Note;
class Settings;
}  // namespace tidemark

// The output file the export proposes for the note at `notePath`: the path
// with the extension of its file name replaced by ".txt" (a name without
// one unchanged); empty for a note never saved.
QString proposedExportPath(const QString& notePath);

// Writes the whole note through `formats` into a new file at `path`,
// replacing any file there. Returns 0, or the code of the first failure
// (what was written before it stays in the file).
std::uint32_t exportNoteToFile(const tidemark::Note& note, const tidemark::ExportFormats& formats,
                               tidemark::FileSystem& files, const QString& path);

// Asks where the text export goes (title 10016, all files, ".txt" added to a
// name without extension, a question before a file is replaced), proposing
// `proposedPath`. Nothing when the user cancels.
std::optional<QString> askExportPath(QWidget* owner, const QString& proposedPath);

// Command 40060: the whole note into one text file the user chooses, in the
// note's CP932 text. The open memo's text is stored first; failures are
// reported with the output path. The note's own file is never overwritten.
// `context` must outlive the command.
class TextExportCommand {
public:
    explicit TextExportCommand(WindowContext& context) : m_context(context) {}
    void run();

private:
    WindowContext& m_context;
};
