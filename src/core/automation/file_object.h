#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/automation/automation_error.h"

namespace tidemark {

class FileSystem;
class FolderServices;

// A file a script reads and writes as text (IFileObject). The name is the
// platform's path (UTF-8); the contents are the note's encoding, CP932.
// `files` and `folders` belong to the caller and must outlive the object.
class FileObject {
public:
    // What Exist answers.
    static constexpr std::int32_t kMissing = 0;
    static constexpr std::int32_t kFile = 1;
    static constexpr std::int32_t kFolder = 2;

    // The object for `fileName`; for an empty name, a new empty file
    // "tmk….tmp" is made in the current folder and named (it stays when the
    // object goes). Failing to make it raises 20045 with the folder.
    static Result<std::shared_ptr<FileObject>> Make(FileSystem& files, FolderServices& folders,
                                                    std::string_view fileName);

    FileObject(FileSystem& files, FolderServices& folders, std::string fileName);

    Result<std::string> FileName() const { return m_name; }
    Result<std::int32_t> Exist() const;
    // The whole file; failures raise 20044 with the name and the code.
    Result<std::string> Read() const;
    // Replaces the file with `text`, every LF written as CR LF. Missing
    // folders on the way are made first (failing, or for a path of 260
    // bytes or more: 20045 with code 161); write failures raise 20045 with
    // their code. Text CP932 cannot hold is refused (20100).
    Status Write(std::string_view text);
    // Failures raise 20046 with the name and the code.
    Status Delete();

private:
    std::uint32_t MakeFoldersFor(const std::string& path) const;

    FileSystem& m_files;
    FolderServices& m_folders;
    std::string m_name;
};

}  // namespace tidemark
