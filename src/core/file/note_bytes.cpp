#include "core/file/note_bytes.h"

#include <cstring>

#include "core/common/error_code.h"
#include "core/file/note_format.h"
#include "core/file/stream_io.h"

namespace tidemark {

void LoadNoteFromBytes(Note& note, const MemoryBlock& bytes) {
    note.Clear();
    if (bytes.size() < sizeof NoteFormat::kMagic ||
        std::memcmp(bytes.data(), NoteFormat::kMagic, sizeof NoteFormat::kMagic) != 0) {
        throw IoError(ErrorCode::kNotANoteFile);
    }
    MemoryBlock rest(bytes.begin() + sizeof NoteFormat::kMagic, bytes.end());
    GlobalMemoryStream stream(&rest);
    if (const std::uint32_t code = stream.OpenRead()) throw IoError(code);
    note.ReadNote(stream);
}

MemoryBlock SaveNoteToBytes(const Note& note) {
    GlobalMemoryStream stream;
    if (const std::uint32_t code = stream.OpenWrite()) throw IoError(code);
    WriteExactly(stream, NoteFormat::kMagic, sizeof NoteFormat::kMagic);
    note.WriteNote(stream);
    stream.Close();
    return stream.Detach();
}

}  // namespace tidemark
