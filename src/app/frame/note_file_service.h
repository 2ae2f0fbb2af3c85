#pragma once

#include <QString>
#include <memory>

namespace tidemark {
class FileSystem;
class Note;
}  // namespace tidemark

// Loading and saving the window's note with this platform's file services;
// the one place that knows which FileSystem the program runs on. Paths are
// QStrings here and the platform's bytes below. Load and save throw
// tidemark::IoError with the code of the failure.
class NoteFileService {
public:
    explicit NoteFileService(tidemark::FileSystem& files) : m_files(files) {}

    // With `exclusive`, the note keeps the file open for writing, and another
    // process that holds it makes the load read-only. Returns a
    // tidemark::LoadResult value.
    int load(tidemark::Note& note, const QString& path, bool exclusive);
    void save(tidemark::Note& note, const QString& path, bool exclusive);
    bool acquireWriteAccess(tidemark::Note& note, const QString& path);
    void releaseWriteAccess(tidemark::Note& note);
    bool exists(const QString& path) const;

    tidemark::FileSystem& files() const { return m_files; }

private:
    tidemark::FileSystem& m_files;
};

// The file services of the platform the program was built for.
std::unique_ptr<tidemark::FileSystem> makePlatformFileSystem();
