#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/automation/automation_error.h"
#include "core/automation/note_object.h"

namespace tidemark {

class FileSystem;
class Settings;

// The service clients create (INoteService): it makes and opens notes that
// have no window. Their changes reach no window; they are saved only by
// their own Save and SaveAs.
//
// `files` and `options` (null: the defaults, exclusive access) belong to the
// caller and must outlive the service and every note it hands out. The
// options give NoExclusiveOpen and the new-item rule.
class NoteService {
public:
    static constexpr std::int32_t kVersion = 1005;

    NoteService(FileSystem& files, const Settings* options);

    std::int32_t Version() const { return kVersion; }
    // An empty note: an open root group titled "ノート本体".
    Result<std::shared_ptr<NoteObject>> New();
    // The note in the file at `fileName` (UTF-8). With exclusive access the
    // note holds its file until it goes, and a file only readable, or held
    // elsewhere, is refused as in use (20030).
    Result<std::shared_ptr<NoteObject>> Open(std::string_view fileName);

private:
    FileSystem& m_files;
    const Settings* m_options;
};

}  // namespace tidemark
