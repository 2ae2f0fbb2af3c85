#include "core/common/shortcut_name.h"

#include "core/common/sjis.h"

namespace tidemark {

ShortcutNameCheck CheckShortcutName(std::string_view typed) {
    ShortcutNameCheck check;
    check.name = TrimText(typed);
    if (check.name.empty()) {
        check.problem = ShortcutNameProblem::kEmpty;
    } else if (FindShortcutForbiddenChar(check.name) != std::string_view::npos) {
        check.problem = ShortcutNameProblem::kForbidden;
    }
    return check;
}

std::size_t FindShortcutForbiddenChar(std::string_view name) {
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = NextCharLength(name, pos);
        if (length == 1 && kShortcutForbiddenChars.find(name[pos]) != std::string_view::npos)
            return pos;
        pos += length;
    }
    return std::string_view::npos;
}

std::string ShortcutForbiddenCharList() {
    std::string list;
    for (const char c : kShortcutForbiddenChars) {
        if (!list.empty())
            list += ' ';
        list += c;
    }
    return list;
}

bool ShortcutPathFits(std::size_t folderBytes, std::size_t nameBytes, std::size_t extensionBytes) {
    const std::size_t separator = 1;
    const std::size_t terminator = 1;
    return folderBytes + separator + nameBytes + extensionBytes + terminator <= kShortcutPathLimit;
}

}  // namespace tidemark
