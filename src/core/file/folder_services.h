#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tidemark {

// What a path names, for the script file object.
enum class PathKind { kMissing = 0, kFile = 1, kFolder = 2 };

// The folder services beside FileSystem that scripts' file objects need.
// Paths are the platform's own byte strings; codes as in error_code.h. A
// real version lives in src/platform.
class FolderServices {
public:
    virtual ~FolderServices() = default;
    virtual PathKind KindOf(const std::string& path) = 0;
    // Makes one folder whose parent exists.
    virtual std::uint32_t MakeFolder(const std::string& path) = 0;
    // Makes a new empty file in `folder` whose name starts with `prefix` and
    // that no other file had; `path` receives its full name.
    virtual std::uint32_t MakeUniqueFile(const std::string& folder, std::string_view prefix,
                                         std::string& path) = 0;
    // The process's current folder, "" when it cannot be told.
    virtual std::string CurrentFolder() = 0;
};

}  // namespace tidemark
