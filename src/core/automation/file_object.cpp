#include "core/automation/file_object.h"

#include <new>
#include <vector>

#include "core/automation/automation_text.h"
#include "core/common/error_code.h"
#include "core/file/buffered_file.h"
#include "core/file/folder_services.h"

namespace tidemark {

namespace {

namespace E = AutomationErrorId;

constexpr std::string_view kTempPrefix = "tmk";
// The code of a path whose folders cannot be made (the system's "bad path name").
constexpr std::uint32_t kBadPathName = 161;
constexpr std::size_t kMaxPathBytes = 259;

AutomationError FileFailure(std::uint32_t id, const std::string& name, std::uint32_t code) {
    return AutomationError{id, name, static_cast<std::int64_t>(code)};
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

}  // namespace

Result<std::shared_ptr<FileObject>> FileObject::Make(FileSystem& files, FolderServices& folders,
                                                     std::string_view fileName) {
    std::string name(fileName);
    if (name.empty()) {
        const std::string folder = folders.CurrentFolder();
        if (const std::uint32_t code = folders.MakeUniqueFile(folder, kTempPrefix, name)) {
            return FileFailure(E::kFileWrite, folder, code);
        }
    }
    return std::make_shared<FileObject>(files, folders, std::move(name));
}

FileObject::FileObject(FileSystem& files, FolderServices& folders, std::string fileName)
    : m_files(files), m_folders(folders), m_name(std::move(fileName)) {}

Result<std::int32_t> FileObject::Exist() const {
    switch (m_folders.KindOf(m_name)) {
        case PathKind::kFile:
            return kFile;
        case PathKind::kFolder:
            return kFolder;
        default:
            return kMissing;
    }
}

Result<std::string> FileObject::Read() const {
    BufferedFile file(&m_files, m_name);
    if (const std::uint32_t code = file.OpenRead())
        return FileFailure(E::kFileRead, m_name, code);
    try {
        std::string bytes(file.Remaining(), '\0');
        if (const std::uint32_t code = file.Read(bytes.data(), bytes.size())) {
            return FileFailure(E::kFileRead, m_name, code);
        }
        file.Close();
        return TextOutOfNote(bytes);
    } catch (const std::bad_alloc&) {
        return FileFailure(E::kFileRead, m_name, ErrorCode::kNotEnoughMemory);
    }
}

std::uint32_t FileObject::MakeFoldersFor(const std::string& path) const {
    if (path.size() > kMaxPathBytes)
        return kBadPathName;
    std::vector<std::string> missing;
    for (std::string folder = FolderOf(path); !folder.empty() && folder != "/";
         folder = FolderOf(folder)) {
        if (m_folders.KindOf(folder) != PathKind::kMissing)
            break;
        missing.push_back(folder);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (m_folders.MakeFolder(*it) != 0)
            return kBadPathName;
    }
    return 0;
}

Status FileObject::Write(std::string_view text) {
    const Result<ByteString> bytes = TextIntoNote(WithCrLf(text));
    if (!bytes)
        return bytes.Error();
    if (const std::uint32_t code = MakeFoldersFor(m_name)) {
        return FileFailure(E::kFileWrite, m_name, code);
    }
    BufferedFile file(&m_files, m_name);
    std::uint32_t code = file.OpenWrite();
    if (code == 0)
        code = file.Write(bytes.Value().Data(), bytes.Value().Size());
    const std::uint32_t closed = file.Close();
    if (code == 0)
        code = closed;
    if (code != 0)
        return FileFailure(E::kFileWrite, m_name, code);
    return {};
}

Status FileObject::Delete() {
    if (const std::uint32_t code = m_files.Remove(m_name)) {
        return FileFailure(E::kFileDelete, m_name, code);
    }
    return {};
}

}  // namespace tidemark
