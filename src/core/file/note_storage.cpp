#include "core/file/note_storage.h"

#include <cstring>
#include <optional>

#include "core/common/error_code.h"
#include "core/file/buffered_file.h"
#include "core/file/file_system.h"
#include "core/file/note_file.h"
#include "core/file/note_format.h"
#include "core/file/stream_io.h"
#include "core/model/note.h"

namespace tidemark {

namespace {

// Alternatives to "<path>.tmp" tried when a stale backup holds that name.
constexpr int kAlternateBackups = 99;

void ThrowIf(std::uint32_t code) {
    if (code != 0) throw IoError(code);
}

void ReadMagic(ByteStream& stream) {
    char magic[sizeof NoteFormat::kMagic];
    ReadExactly(stream, magic, sizeof magic);
    if (std::memcmp(magic, NoteFormat::kMagic, sizeof magic) != 0) {
        throw IoError(ErrorCode::kNotANoteFile);
    }
}

void ReadWholeNote(Note& note, ByteStream& stream) {
    ReadMagic(stream);
    note.Clear();
    note.ReadNote(stream);
}

// Moves the file at `path` out of the way. Returns the backup's name, or
// nothing when there is no file to keep. Throws when the file exists but
// cannot be moved: overwriting it in place could leave no complete copy.
std::optional<std::string> MoveAside(FileSystem& files, const std::string& path) {
    const std::string first = BackupPathOf(path);
    for (int n = 0; n <= kAlternateBackups; ++n) {
        const std::string backup = n == 0 ? first : path + "." + std::to_string(n) + ".tmp";
        const std::uint32_t code = files.MoveNoReplace(path, backup);
        if (code == 0) return backup;
        if (code == ErrorCode::kFileNotFound) return std::nullopt;
        if (code != FileSystem::kAlreadyExists) throw IoError(code);
    }
    throw IoError(FileSystem::kAlreadyExists);
}

// Writes the whole file into an open stream and makes it durable.
void WriteWholeNote(const Note& note, BufferedFile& stream) {
    WriteExactly(stream, NoteFormat::kMagic, sizeof NoteFormat::kMagic);
    note.WriteNote(stream);
    ThrowIf(stream.Flush());
    ThrowIf(stream.Sync());
}

}  // namespace

std::string BackupPathOf(const std::string& path) { return path + ".tmp"; }

int Load(Note& note, FileSystem& files, NoteFile& file, const std::string& path, bool detached) {
    ThrowIf(files.Stat(path));
    file.Close();
    if (detached) {
        BufferedFile transient(&files, path);
        ThrowIf(transient.OpenRead());
        ReadWholeNote(note, transient);
        transient.Close();
        return LoadResult::kWritable;
    }
    file.SetFileSystem(&files);
    file.SetPath(path);
    ThrowIf(file.OpenWrite());
    try {
        ReadWholeNote(note, file);
    } catch (...) {
        file.Close();
        throw;
    }
    if (file.GetState() == BufferedFile::State::kReading) {
        file.Close();
        return file.ReadWriteError() == ErrorCode::kSharingViolation ? LoadResult::kHeldElsewhere
                                                                     : LoadResult::kReadOnly;
    }
    return LoadResult::kWritable;
}

void Save(const Note& note, FileSystem& files, NoteFile& file, const std::string& path,
          bool detached) {
    if (path.empty()) throw IoError(ErrorCode::kInvalidParameter);
    file.Close();
    const std::optional<std::string> backup = MoveAside(files, path);
    bool created = false;  // this save made the file now at `path`
    BufferedFile transient(&files, path);
    try {
        if (detached) {
            ThrowIf(transient.OpenWrite());
            created = true;
            WriteWholeNote(note, transient);
            ThrowIf(transient.Close());
        } else {
            file.SetFileSystem(&files);
            file.SetPath(path);
            // Refused for writing, the file falls back to read-only or fails
            // to open at all; either way the refusal is what the user needs.
            const std::uint32_t code = file.OpenWrite();
            if (code != 0 || file.GetState() == BufferedFile::State::kReading) {
                file.Close();
                throw IoError(file.ReadWriteError() != 0 ? file.ReadWriteError() : code);
            }
            created = true;
            WriteWholeNote(note, file);
        }
        ThrowIf(files.SyncFolderOf(path));
    } catch (...) {
        file.Close();
        transient.Close();
        if (backup) {
            files.Remove(path);
            files.MoveNoReplace(*backup, path);
        } else if (created) {
            files.Remove(path);
        }
        throw;
    }
    if (backup) files.Remove(*backup);
}

bool AcquireWriteAccess(FileSystem& files, NoteFile& file, const std::string& path) {
    file.Close();
    file.SetFileSystem(&files);
    file.SetPath(path);
    if (file.OpenWrite() != 0) return false;
    if (file.GetState() != BufferedFile::State::kWriting) {
        file.Close();
        return false;
    }
    file.SeekToEnd();
    return true;
}

void ReleaseWriteAccess(NoteFile& file) {
    if (file.GetState() == BufferedFile::State::kWriting) file.Close();
}

int Note::Load(FileSystem& files, const std::string& path, bool detached) {
    return tidemark::Load(*this, files, m_file, path, detached);
}

void Note::Save(FileSystem& files, const std::string& path, bool detached) {
    tidemark::Save(*this, files, m_file, path, detached);
}

bool Note::AcquireWriteAccess(FileSystem& files, const std::string& path) {
    return tidemark::AcquireWriteAccess(files, m_file, path);
}

void Note::ReleaseWriteAccess() { tidemark::ReleaseWriteAccess(m_file); }

}  // namespace tidemark
