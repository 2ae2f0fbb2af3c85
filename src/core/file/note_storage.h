#pragma once

#include <string>

namespace tidemark {

class FileSystem;
class Note;
class NoteFile;

// What Load left the note's file in.
namespace LoadResult {
inline constexpr int kWritable = 0;       // held read-write (or detached: not held)
inline constexpr int kHeldElsewhere = 1;  // read-only: another holder has the file
inline constexpr int kReadOnly = 2;       // read-only for another reason
}  // namespace LoadResult

// Reads the note file at `path` into `note`. Attached (detached false), the
// note's `file` is left holding the file read-write when it could take it,
// and closed otherwise; detached, the file is read through a transient
// BufferedFile and nothing stays open. Throws IoError: a missing file before
// the note is touched (it keeps its contents), 0x80000001 for bytes that are
// not a note file, the reader's codes for damage (the note is then cleared
// or partly filled and is to be discarded).
int Load(Note& note, FileSystem& files, NoteFile& file, const std::string& path, bool detached);

// Writes `note` to `path` safely: the current file is moved aside to
// "<path>.tmp" (or "<path>.N.tmp" when a stale "<path>.tmp" is in the way),
// the new file is written, made durable with its folder entry, and only then
// the backup removed. Any failure puts the previous file back under `path`
// and throws its code; if there was no previous file the partial new one is
// removed. A file that cannot be moved aside is not overwritten: the save
// fails with the move's code. Attached, `file` holds the new file read-write
// afterwards; detached, nothing stays open. After a failure `file` is closed.
void Save(const Note& note, FileSystem& files, NoteFile& file, const std::string& path,
          bool detached);

// Takes `path` for writing into `file` (closing what it held) and leaves the
// position at the end; false when another holder or the system refuses it.
bool AcquireWriteAccess(FileSystem& files, NoteFile& file, const std::string& path);
// Lets go of the file when `file` holds it read-write.
void ReleaseWriteAccess(NoteFile& file);

// "<path>.tmp": the name the previous file has while a save runs.
std::string BackupPathOf(const std::string& path);

}  // namespace tidemark
