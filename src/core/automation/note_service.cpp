#include "core/automation/note_service.h"

#include <string>

#include "core/automation/automation_text.h"
#include "core/automation/io_failure.h"
#include "core/automation/note_link.h"
#include "core/common/error_code.h"
#include "core/file/note_storage.h"
#include "core/model/note.h"
#include "core/strings/string_table.h"

namespace tidemark {

namespace {

constexpr std::uint32_t kRootTitle = 10005;
// Where memory ran out making the root, as 20070 reports it.
constexpr std::int64_t kRootMemory = 84;

}  // namespace

NoteService::NoteService(FileSystem& files, const Settings* options)
    : m_files(files), m_options(options) {}

Result<std::shared_ptr<NoteObject>> NoteService::New() {
    auto link = std::make_shared<DetachedNoteLink>(m_files, m_options);
    const Result<ByteString> title = TextIntoNote(StringById(kRootTitle));
    link->GetNote()->MakeNew(title ? title.Value() : ByteString());
    if (link->GetNote()->RootId() == kNoItem) {
        return AutomationError{AutomationErrorId::kOutOfMemory, {}, kRootMemory};
    }
    return std::make_shared<NoteObject>(std::move(link));
}

Result<std::shared_ptr<NoteObject>> NoteService::Open(std::string_view fileName) {
    auto link = std::make_shared<DetachedNoteLink>(m_files, m_options);
    const std::string path(fileName);
    try {
        const int state = link->GetNote()->Load(m_files, path, link->WithoutExclusiveAccess());
        if (state != LoadResult::kWritable)
            return IoFailure(ErrorCode::kSharingViolation, path);
    } catch (const IoError& error) {
        return IoFailure(error.Code(), path);
    }
    link->SetPath(path);
    return std::make_shared<NoteObject>(std::move(link));
}

}  // namespace tidemark
