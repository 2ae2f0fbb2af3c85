#include "core/common/path_name.h"

#include "core/common/sjis.h"

namespace tidemark {

std::string_view FileNameOfPath(std::string_view path, bool dropExtension) {
    std::size_t nameStart = 0;
    std::size_t lastDot = std::string_view::npos;  // within the current name
    for (std::size_t pos = 0; pos < path.size();) {
        const std::size_t length = NextCharLength(path, pos);
        if (length == 1) {
            if (path[pos] == '/' || path[pos] == '\\') {
                nameStart = pos + 1;
                lastDot = std::string_view::npos;
            } else if (path[pos] == '.') {
                lastDot = pos;
            }
        }
        pos += length;
    }
    const std::size_t nameEnd =
        (dropExtension && lastDot != std::string_view::npos) ? lastDot : path.size();
    return path.substr(nameStart, nameEnd - nameStart);
}

}  // namespace tidemark
