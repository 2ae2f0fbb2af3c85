#include "platform/posix/posix_folder_services.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/posix/errno_codes.h"

namespace tidemark {

PathKind PosixFolderServices::KindOf(const std::string& path) {
    struct stat status;
    if (path.empty() || ::stat(path.c_str(), &status) != 0)
        return PathKind::kMissing;
    return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

std::uint32_t PosixFolderServices::MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0)
        return ErrorCodeFromErrno(errno);
    return 0;
}

std::uint32_t PosixFolderServices::MakeUniqueFile(const std::string& folder,
                                                  std::string_view prefix, std::string& path) {
    static constexpr std::string_view kSuffix = ".tmp";
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '/')
        pattern += '/';
    pattern.append(prefix);
    pattern += "XXXXXX";
    pattern.append(kSuffix);
    const int fd = ::mkstemps(pattern.data(), static_cast<int>(kSuffix.size()));
    if (fd < 0)
        return ErrorCodeFromErrno(errno);
    ::close(fd);
    path = pattern;
    return 0;
}

std::string PosixFolderServices::CurrentFolder() {
    std::vector<char> buffer(PATH_MAX);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return {};
    return buffer.data();
}

}  // namespace tidemark
