#pragma once

#include "core/file/folder_services.h"

namespace tidemark {

// FolderServices over POSIX calls. New folders get mode 0777 and new files
// 0600, each less the umask. Stateless.
class PosixFolderServices : public FolderServices {
public:
    PathKind KindOf(const std::string& path) override;
    std::uint32_t MakeFolder(const std::string& path) override;
    // The name is `prefix`, six random characters and ".tmp".
    std::uint32_t MakeUniqueFile(const std::string& folder, std::string_view prefix,
                                 std::string& path) override;
    std::string CurrentFolder() override;
};

}  // namespace tidemark
