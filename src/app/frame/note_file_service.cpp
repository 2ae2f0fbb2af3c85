#include "app/frame/note_file_service.h"

#include "app/common/qt_text.h"
#include "core/model/note.h"
#include "platform/posix/posix_file_system.h"

int NoteFileService::load(tidemark::Note& note, const QString& path, bool exclusive) {
    return note.Load(m_files, pathToBytes(path), !exclusive);
}

void NoteFileService::save(tidemark::Note& note, const QString& path, bool exclusive) {
    note.Save(m_files, pathToBytes(path), !exclusive);
}

bool NoteFileService::acquireWriteAccess(tidemark::Note& note, const QString& path) {
    return note.AcquireWriteAccess(m_files, pathToBytes(path));
}

void NoteFileService::releaseWriteAccess(tidemark::Note& note) {
    note.ReleaseWriteAccess();
}

bool NoteFileService::exists(const QString& path) const {
    return m_files.Stat(pathToBytes(path)) == 0;
}

std::unique_ptr<tidemark::FileSystem> makePlatformFileSystem() {
    return std::make_unique<tidemark::PosixFileSystem>();
}
